// The two wrappers around the kit's line: frame faults and 57600-baud pacing.
#include <gtest/gtest.h>

#include "LineTestTransport.h"
#include "orvelink/framing/FrameEncoder.h"
#include "orvelink/framing/FrameParser.h"
#include "orvelink/framing/ManualLinkClock.h"
#include "sim/FrameFaultTransport.h"
#include "sim/PacedTransport.h"

namespace korvanta::sim::test {
namespace {

using Bytes = std::vector<uint8_t>;
using orvelink::Frame;
using orvelink::FrameType;

// A run of data frames whose payloads include the flag and escape bytes.
Bytes Frames(int count)
{
    Bytes line;
    for (int i = 0; i < count; ++i) {
        Frame frame;
        frame.type = FrameType::Data;
        frame.sequence = static_cast<uint8_t>(i);
        frame.session = 0x1234;
        frame.payload = {static_cast<uint8_t>(i), 0x7E, 0x7D, 0x7F, static_cast<uint8_t>(3 * i)};
        orvelink::FrameEncoder::Encode(frame, line);
    }
    return line;
}

struct ParseCount {
    int valid = 0;
    int invalid = 0;
};

ParseCount Parse(const Bytes& line)
{
    orvelink::FrameParser parser;
    ParseCount count;
    std::span<const uint8_t> rest(line);
    while (!rest.empty()) {
        const orvelink::ParseStep step = parser.Parse(rest);
        rest = rest.subspan(step.consumed);
        count.valid += step.status == orvelink::ParseStatus::Complete ? 1 : 0;
        count.invalid += step.status == orvelink::ParseStatus::Invalid ? 1 : 0;
    }
    return count;
}

TEST(FrameFaultTransport, WithoutFaultsEveryByteCrosses)
{
    LineTestTransport line;
    FrameFaultTransport faults(line, 1);
    const Bytes sent = Frames(5);
    EXPECT_EQ(faults.Write(sent), static_cast<std::ptrdiff_t>(sent.size()));
    EXPECT_EQ(line.written, sent);
    EXPECT_EQ(faults.Counters().framesOut, 5u);
}

TEST(FrameFaultTransport, LosesWholeFramesAndNothingBetweenThem)
{
    LineTestTransport line;
    FrameFaultTransport faults(line, 1);
    faults.SetShares(1.0, 0.0);
    Bytes sent = {0x11, 0x22};
    const Bytes frames = Frames(3);
    sent.insert(sent.end(), frames.begin(), frames.end());
    EXPECT_EQ(faults.Write(sent), static_cast<std::ptrdiff_t>(sent.size()));
    EXPECT_EQ(line.written, (Bytes{0x11, 0x22}));
    EXPECT_EQ(faults.Counters().lostOut, 3u);
}

TEST(FrameFaultTransport, DamagedFramesKeepTheirPlaceAndFailTheirCheck)
{
    LineTestTransport line;
    FrameFaultTransport faults(line, 1);
    faults.SetShares(0.0, 1.0);
    const Bytes sent = Frames(4);
    faults.Write(sent);
    ASSERT_EQ(line.written.size(), sent.size());
    int changed = 0;
    for (size_t i = 0; i < sent.size(); ++i) {
        changed += sent[i] != line.written[i] ? 1 : 0;
    }
    EXPECT_EQ(changed, 4);
    const ParseCount parsed = Parse(line.written);
    EXPECT_EQ(parsed.valid, 0);
    EXPECT_EQ(parsed.invalid, 4);
}

TEST(FrameFaultTransport, ALineTakingFewBytesAtATimeSeesTheSameFates)
{
    const Bytes sent = Frames(40);
    LineTestTransport wide;
    FrameFaultTransport wideFaults(wide, 99);
    wideFaults.SetShares(0.4, 0.3);
    wideFaults.Write(sent);

    LineTestTransport narrow;
    narrow.writeLimit = 7;
    FrameFaultTransport narrowFaults(narrow, 99);
    narrowFaults.SetShares(0.4, 0.3);
    std::span<const uint8_t> rest(sent);
    for (int calls = 0; !rest.empty() && calls < 10000; ++calls) {
        rest = rest.subspan(static_cast<size_t>(narrowFaults.Write(rest)));
    }
    EXPECT_TRUE(rest.empty());
    EXPECT_EQ(narrow.written, wide.written);
    EXPECT_GT(wideFaults.Counters().lostOut, 0u);
    EXPECT_GT(wideFaults.Counters().corruptedOut, 0u);
    EXPECT_EQ(narrowFaults.Counters().lostOut, wideFaults.Counters().lostOut);
}

TEST(FrameFaultTransport, IncomingFramesAreLostOrPassedWhole)
{
    LineTestTransport line;
    const Bytes arriving = Frames(60);
    line.toRead.assign(arriving.begin(), arriving.end());
    FrameFaultTransport faults(line, 5);
    faults.SetShares(0.5, 0.0);
    Bytes received;
    std::array<uint8_t, 100> chunk{};
    for (std::ptrdiff_t read = 1; read > 0;) {
        read = faults.Read(chunk);
        received.insert(received.end(), chunk.begin(), chunk.begin() + std::max<std::ptrdiff_t>(read, 0));
    }
    EXPECT_TRUE(line.toRead.empty());
    const LineFaultCounters counters = faults.Counters();
    EXPECT_EQ(counters.framesIn, 60u);
    EXPECT_GT(counters.lostIn, 10u);
    const ParseCount parsed = Parse(received);
    EXPECT_EQ(parsed.valid, static_cast<int>(counters.framesIn - counters.lostIn));
    EXPECT_EQ(parsed.invalid, 0);
}

class PacedTransportTest : public testing::Test {
protected:
    void Advance(int milliseconds) { clock.Advance(std::chrono::milliseconds(milliseconds)); }
    size_t Pump()
    {
        std::array<uint8_t, 1> none{};
        paced.Read(none);
        return line.written.size();
    }

    orvelink::ManualLinkClock clock;
    LineTestTransport line;
    PacedTransport paced{line, clock};
};

TEST_F(PacedTransportTest, BytesCrossAtTenBitTimesEach)
{
    const Bytes sent(576, 0x55);
    EXPECT_EQ(paced.Write(sent), 576);
    EXPECT_EQ(Pump(), 0u);
    Advance(50);  // 50 ms: 288 bytes at 5760 bytes per second
    EXPECT_NEAR(static_cast<double>(Pump()), 288.0, 1.0);
    Advance(50);
    EXPECT_EQ(Pump(), 576u);
    EXPECT_EQ(line.written, sent);
}

TEST_F(PacedTransportTest, TheLineWasFreeSinceItWasLastUsed)
{
    Advance(10000);
    Pump();
    Advance(2);
    // Started no earlier than the last use 2 ms ago: 11 bytes are across, the rest follow.
    EXPECT_EQ(paced.Write(Bytes(100, 1)), 100);
    EXPECT_EQ(line.written.size(), 11u);
    Advance(2);
    EXPECT_EQ(Pump(), 23u);
}

TEST_F(PacedTransportTest, AfterALongGapOnlyTheLastMomentIsMadeUp)
{
    Advance(10000);
    EXPECT_EQ(paced.Write(Bytes(1000, 2)), 1000);
    const double catchUpBytes = PacedTransport::kCatchUp.count() * 5.76;
    EXPECT_NEAR(static_cast<double>(line.written.size()), catchUpBytes, 1.0);
}

TEST_F(PacedTransportTest, AFullBufferTakesNoMore)
{
    EXPECT_EQ(paced.Write(Bytes(10000, 2)), static_cast<std::ptrdiff_t>(PacedTransport::kBufferBytes));
    EXPECT_EQ(paced.Write(Bytes(10, 2)), 0);
    Advance(10);
    EXPECT_GT(paced.Write(Bytes(10, 2)), 0);
}

TEST_F(PacedTransportTest, BytesTheLineRefusesWaitInOrder)
{
    line.writeLimit = 0;
    Bytes sent(40);
    for (size_t i = 0; i < sent.size(); ++i)
        sent[i] = static_cast<uint8_t>(i);
    paced.Write(sent);
    Advance(20);
    EXPECT_EQ(Pump(), 0u);
    EXPECT_EQ(paced.Waiting(), 40u);
    line.writeLimit = 15;
    EXPECT_EQ(Pump(), 15u);
    line.writeLimit = 1000;
    EXPECT_EQ(Pump(), 40u);
    EXPECT_EQ(line.written, sent);
}

}  // namespace
}  // namespace korvanta::sim::test
