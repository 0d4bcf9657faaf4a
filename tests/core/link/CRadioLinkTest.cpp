#include <gtest/gtest.h>

#include <array>
#include <stop_token>

#include "FakeClock.h"
#include "FakeLinkLibrary.h"
#include "core/link/CRadioLink.h"

namespace korvanta::test {
namespace {

using Kind = FarEndReply::Kind;

class RadioLinkTest : public ::testing::Test {
protected:
    void Reply(FarEndReply reply)
    {
        library.SetFarEnd([reply](const Bytes&) { return reply; });
    }

    bool Transact(std::array<uint8_t, 8>& buffer, int32_t requestLength, int32_t capacity, int64_t timeoutMs = 3000)
    {
        return link.Transact(buffer.data(), requestLength, buffer.data(), capacity, timeoutMs);
    }

    FakeClock clock;
    FakeLinkLibrary library{clock};
    CRadioLink link{library, clock};
};

TEST_F(RadioLinkTest, ErrorTextsFollowTheCode)
{
    EXPECT_STREQ(CRadioLink::ErrorText(0), "No error encountered.");
    EXPECT_STREQ(CRadioLink::ErrorText(4), "Timout encountered while waiting for message");
    EXPECT_STREQ(CRadioLink::ErrorText(7), "Invlaid message received from remote system.");
    EXPECT_STREQ(CRadioLink::ErrorText(8), "Size of reply is not what was expected.");
    EXPECT_STREQ(CRadioLink::ErrorText(9), "Unknown error encountered.");
    EXPECT_STREQ(CRadioLink::ErrorText(-1), "Unknown error encountered.");
    EXPECT_STREQ(link.GetErrorText(), "No error encountered.");
}

TEST_F(RadioLinkTest, ShortReplyIsAcceptedAndKeepsTheRequestBeyondIt)
{
    Reply(FarEndReply::Answer({0x02, 0x0F}));
    std::array<uint8_t, 8> buffer = {0x02, 0x05, 0x77, 0x66};
    ASSERT_TRUE(Transact(buffer, 4, 4));
    EXPECT_EQ(link.GetLastError(), kLinkOk);
    EXPECT_EQ(buffer[1], 0x0F);
    EXPECT_EQ(buffer[2], 0x77);
    EXPECT_EQ(buffer[3], 0x66);
    ASSERT_EQ(library.Sent().size(), 1u);
    EXPECT_EQ(library.Sent()[0].bytes, (Bytes{0x02, 0x05, 0x77, 0x66}));
}

TEST_F(RadioLinkTest, ReplyOneByteTooLongFailsWithoutTouchingBytesPastCapacity)
{
    Reply(FarEndReply::Answer({0x02, 1, 2, 3, 4}));
    std::array<uint8_t, 8> buffer = {0x02, 0x01, 0, 0, 0xAA, 0xAA, 0xAA, 0xAA};
    EXPECT_FALSE(Transact(buffer, 2, 4));
    EXPECT_EQ(link.GetLastError(), kLinkWrongSize);
    EXPECT_EQ(buffer[4], 0xAA);
    // The oversized reply is gone, so the next exchange gets its own answer.
    EXPECT_FALSE(library.HasWaitingMessage());
    Reply(FarEndReply::Answer({0x02, 9}));
    EXPECT_TRUE(Transact(buffer, 2, 4));
    EXPECT_EQ(buffer[1], 9);
}

TEST_F(RadioLinkTest, ReplyWithAnotherOpcodeIsInvalid)
{
    Reply(FarEndReply::Answer({0x03, 0}));
    std::array<uint8_t, 8> buffer = {0x02};
    EXPECT_FALSE(Transact(buffer, 1, 4));
    EXPECT_EQ(link.GetLastError(), kLinkInvalidMessage);
}

TEST_F(RadioLinkTest, EmptyReplyDoesNotPassOnTheRequestsOwnOpcode)
{
    Reply(FarEndReply::Answer({}));
    std::array<uint8_t, 8> buffer = {0x02};
    EXPECT_FALSE(Transact(buffer, 1, 4));
    EXPECT_EQ(link.GetLastError(), kLinkInvalidMessage);
}

TEST_F(RadioLinkTest, UndeliveredReplyIsDroppedWithNoRoom)
{
    Reply(FarEndReply{Kind::Undeliverable, {0x02, 1}});
    std::array<uint8_t, 8> buffer = {0x02};
    EXPECT_FALSE(Transact(buffer, 1, 4));
    EXPECT_EQ(link.GetLastError(), kLinkNoRoom);
    EXPECT_FALSE(library.HasWaitingMessage());
}

TEST_F(RadioLinkTest, SendFailures)
{
    std::array<uint8_t, 8> buffer = {0x05};
    Reply(FarEndReply::Of(Kind::Refused));
    EXPECT_FALSE(Transact(buffer, 1, 8));
    EXPECT_EQ(link.GetLastError(), kLinkNoRoom);

    Reply(FarEndReply::Of(Kind::NotAcknowledged));
    EXPECT_FALSE(Transact(buffer, 1, 8));
    EXPECT_EQ(link.GetLastError(), kLinkNotAcknowledged);

    EXPECT_FALSE(link.Send(nullptr, 1));
    EXPECT_EQ(link.GetLastError(), kLinkBadParameter);
    EXPECT_FALSE(link.Transact(buffer.data(), 1, nullptr, 8, 100));
    EXPECT_EQ(link.GetLastError(), kLinkBadParameter);
}

TEST_F(RadioLinkTest, SilentFarEndTimesOutAfterTheTimeOut)
{
    Reply(FarEndReply::Of(Kind::Silent));
    std::array<uint8_t, 8> buffer = {0x05};
    const int64_t start = clock.NowMs();
    EXPECT_FALSE(Transact(buffer, 1, 8, 3000));
    EXPECT_EQ(link.GetLastError(), kLinkTimeout);
    const int64_t waited = clock.NowMs() - start;
    EXPECT_GT(waited, 3000);
    EXPECT_LE(waited, 3300);
}

TEST_F(RadioLinkTest, FarEndFallingSilentWhileWaitingIsNoHeartbeat)
{
    Reply(FarEndReply::Of(Kind::HeartbeatLost));
    std::array<uint8_t, 8> buffer = {0x05};
    EXPECT_FALSE(Transact(buffer, 1, 8, 3000));
    EXPECT_EQ(link.GetLastError(), kLinkNoHeartbeat);
}

TEST_F(RadioLinkTest, StopRequestEndsAnEndlessAcknowledgementWait)
{
    std::stop_source stop;
    CRadioLink stoppable(library, clock, stop.get_token());
    Reply(FarEndReply::Of(Kind::NeverAcknowledged));
    stop.request_stop();
    const uint8_t request = 0x05;
    EXPECT_FALSE(stoppable.Send(&request, 1));
}

TEST_F(RadioLinkTest, OpenReportsItsCodes)
{
    library.SetOpenResult(3);
    EXPECT_FALSE(link.Open("/dev/ttyS0", 57600));
    EXPECT_EQ(link.GetLastError(), kLinkNotOpened);
    EXPECT_FALSE(link.Open(nullptr, 57600));
    EXPECT_EQ(link.GetLastError(), kLinkBadParameter);
    library.SetOpenResult(0);
    EXPECT_TRUE(link.Open("/dev/ttyS0", 57600));
    EXPECT_EQ(link.GetLastError(), kLinkOk);
    EXPECT_EQ(library.LastBaud(), 57600);
    link.Close();
    EXPECT_EQ(library.CloseCount(), 1);
}

}  // namespace
}  // namespace korvanta::test
