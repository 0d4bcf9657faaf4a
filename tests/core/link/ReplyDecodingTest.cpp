#include <gtest/gtest.h>

#include "core/link/CommsLoop.h"
#include "core/link/LinkCommand.h"
#include "core/link/ReplyDecoding.h"

namespace korvanta {
namespace {

TEST(ReplyDecoding, VersionText)
{
    EXPECT_EQ(FormatVersionText(2, 0, 2), "QX-913-07-200C");
    EXPECT_EQ(FormatVersionText(1, 5, 0), "QX-913-07-105A");
    EXPECT_EQ(FormatVersionText(1, 5, 25), "QX-913-07-105Z");
    EXPECT_EQ(FormatVersionText(1, 5, 26), "QX-913-07-105?");
    EXPECT_EQ(FormatVersionText(255, 255, 255), "QX-913-07-255255?");
}

TEST(ReplyDecoding, DiagnosticsSpacing)
{
    uint8_t words[22] = {};
    words[20] = 0x03;
    words[21] = 0xFF;
    const std::string text = FormatDiagnosticsText(words);
    EXPECT_EQ(text.size(), 11 * 4 + 9 * 5 + 20u);
    EXPECT_EQ(text.substr(text.size() - 4), "2.00");
    EXPECT_EQ(text.find("0.00                    0.00"), 7 * 9);
}

TEST(PollOrder, FollowsTheSelectedOutstations)
{
    EXPECT_EQ(CommsLoop::NextPollUnit(2, 12), 4);
    EXPECT_EQ(CommsLoop::NextPollUnit(4, 12), 8);
    EXPECT_EQ(CommsLoop::NextPollUnit(8, 12), 4);
    EXPECT_EQ(CommsLoop::NextPollUnit(2, 3), 2);
    EXPECT_EQ(CommsLoop::NextPollUnit(2, 10), 8);
    EXPECT_EQ(CommsLoop::NextPollUnit(8, 10), 2);
    EXPECT_EQ(CommsLoop::NextPollUnit(4, 6), 2);
    EXPECT_EQ(CommsLoop::NextPollUnit(8, 5), 4);
    EXPECT_EQ(CommsLoop::NextPollUnit(2, 14), 4);
    EXPECT_EQ(CommsLoop::NextPollUnit(4, 14), 8);
    EXPECT_EQ(CommsLoop::NextPollUnit(8, 14), 2);
}

TEST(CommandNames, EveryCodeHasItsLogName)
{
    EXPECT_STREQ(CommsCommandName(TM_END_THREAD), "TM_END_THREAD");
    EXPECT_STREQ(CommsCommandName(TM_GET_DATA_BLOCK), "TM_GET_DATA_BLOCK");
    EXPECT_STREQ(CommsCommandName(TM_TEST_RADIO_COMMS), "TM_TEST_RADIO_COMMS");
    EXPECT_EQ(CommsCommandName(19), nullptr);
    EXPECT_EQ(CommsCommandName(-1), nullptr);
}

}  // namespace
}  // namespace korvanta
