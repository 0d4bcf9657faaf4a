#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "orvelink/framing/Crc16.h"
#include "orvelink/framing/FrameEncoder.h"
#include "orvelink/framing/FrameParser.h"

namespace korvanta::orvelink {
namespace {

using Bytes = std::vector<uint8_t>;

Frame DataFrame(uint8_t sequence, uint16_t session, Bytes payload)
{
    return Frame{FrameType::Data, sequence, session, std::move(payload)};
}

// Feeds bytes in the given pieces and collects the frames and failures the parser reports.
struct ParseLog {
    std::vector<Frame> frames;
    std::vector<FrameError> errors;
};

ParseLog ParseAll(FrameParser& parser, const std::vector<Bytes>& pieces)
{
    ParseLog log;
    for (const Bytes& piece : pieces) {
        std::span<const uint8_t> rest(piece);
        while (!rest.empty()) {
            const ParseStep step = parser.Parse(rest);
            EXPECT_GT(step.consumed, 0u);
            EXPECT_LE(step.consumed, rest.size());
            rest = rest.subspan(step.consumed);
            if (step.status == ParseStatus::Complete) {
                log.frames.push_back(parser.LastFrame());
            } else if (step.status == ParseStatus::Invalid) {
                log.errors.push_back(parser.LastError());
            } else {
                EXPECT_TRUE(rest.empty());
            }
        }
    }
    return log;
}

ParseLog ParseAll(const Bytes& bytes)
{
    FrameParser parser;
    return ParseAll(parser, {bytes});
}

// A frame body with a correct CRC appended, flagged but not stuffed (the bodies used here need
// no stuffing).
Bytes RawFrame(Bytes body)
{
    const uint16_t crc = Crc16::Compute(body);
    body.push_back(static_cast<uint8_t>(crc >> 8));
    body.push_back(static_cast<uint8_t>(crc & 0xFF));
    body.insert(body.begin(), kFrameFlag);
    body.push_back(kFrameFlag);
    return body;
}

TEST(Crc16Test, MatchesTheCheckValueAndIsIncremental)
{
    constexpr std::string_view kCheck = "123456789";
    const Bytes check(kCheck.begin(), kCheck.end());
    EXPECT_EQ(Crc16::Compute(check), 0x29B1);
    EXPECT_EQ(Crc16::Compute({}), 0xFFFF);

    Crc16 crc;
    crc.Update(std::span(check).first(4));
    for (uint8_t byte : std::span(check).subspan(4)) {
        crc.Update(byte);
    }
    EXPECT_EQ(crc.Value(), 0x29B1);
}

TEST(FrameEncoderTest, ProducesTheDocumentedLineBytes)
{
    EXPECT_EQ(FrameEncoder::Encode(DataFrame(1, 0x1234, {0x7E, 0x01, 0x7D})),
              (Bytes{0x7E, 0x44, 0x01, 0x12, 0x34, 0x7D, 0x5E, 0x01, 0x7D, 0x5D, 0x51, 0x87, 0x7E}));
    EXPECT_EQ(FrameEncoder::Encode(Frame{FrameType::Ack, 1, 0x1234, {}}),
              (Bytes{0x7E, 0x41, 0x01, 0x12, 0x34, 0xB8, 0x1E, 0x7E}));
    EXPECT_EQ(FrameEncoder::Encode(Frame{FrameType::Heartbeat, 0, 0x2222, {}}),
              (Bytes{0x7E, 0x48, 0x00, 0x22, 0x22, 0x0B, 0x3B, 0x7E}));
}

// The interface unit's end writes the type letter in lower case; the side survives the round trip.
TEST(FrameEncoderTest, TheDeviceSideWritesLowerCaseTypes)
{
    EXPECT_EQ(FrameEncoder::Encode(Frame{FrameType::Heartbeat, 0, 0x2222, {}, LinkSide::Device}),
              (Bytes{0x7E, 0x68, 0x00, 0x22, 0x22, 0x3C, 0x75, 0x7E}));
    EXPECT_EQ(FrameEncoder::Encode(Frame{FrameType::Ack, 1, 0x1234, {}, LinkSide::Device}),
              (Bytes{0x7E, 0x61, 0x01, 0x12, 0x34, 0x8F, 0x50, 0x7E}));
    for (const LinkSide side : {LinkSide::Host, LinkSide::Device}) {
        Frame frame = DataFrame(7, 0x0102, {1, 2, 3});
        frame.side = side;
        FrameParser parser;
        const Bytes line = FrameEncoder::Encode(frame);
        std::span<const uint8_t> rest(line);
        ParseStep step{};
        while (!rest.empty() && (step = parser.Parse(rest)).status != ParseStatus::Complete) {
            rest = rest.subspan(step.consumed);
        }
        ASSERT_EQ(step.status, ParseStatus::Complete);
        EXPECT_EQ(parser.LastFrame(), frame);
    }
}

TEST(FrameEncoderTest, RefusesFramesThatCannotBeSent)
{
    Bytes out{1, 2, 3};
    EXPECT_FALSE(FrameEncoder::Encode(DataFrame(0, 0, Bytes(kMaxMessageSize + 1, 0)), out));
    EXPECT_FALSE(FrameEncoder::Encode(Frame{FrameType::Ack, 0, 0, {1}}, out));
    EXPECT_EQ(out, (Bytes{1, 2, 3}));  // nothing appended
}

TEST(FrameCodecTest, RoundTripsEveryTypeAndEveryByteValue)
{
    Bytes everyByte(512);
    for (std::size_t i = 0; i < everyByte.size(); ++i) {
        everyByte[i] = static_cast<uint8_t>(i);
    }
    const std::vector<Frame> frames = {
        DataFrame(0, 0, {}),
        DataFrame(0x7E, 0x7D7E, everyByte),
        DataFrame(255, 0xFFFF, Bytes(kMaxMessageSize, kFrameFlag)),  // longest, all stuffed
        Frame{FrameType::Ack, 0x7D, 0x7E7E, {}},
        Frame{FrameType::Heartbeat, 0, 0x0102, {}},
    };
    for (const Frame& frame : frames) {
        const ParseLog log = ParseAll(FrameEncoder::Encode(frame));
        ASSERT_EQ(log.frames.size(), 1u);
        EXPECT_EQ(log.frames[0], frame);
        EXPECT_TRUE(log.errors.empty());
    }
}

TEST(FrameParserTest, ReassemblesAFrameCutAnywhere)
{
    const Frame frame = DataFrame(9, 0xABCD, {0x7E, 0x7D, 0x00, 0xFF, 0x5E, 0x5D});
    const Bytes line = FrameEncoder::Encode(frame);
    for (std::size_t cut = 0; cut <= line.size(); ++cut) {
        FrameParser parser;
        const ParseLog log =
            ParseAll(parser, {Bytes(line.begin(), line.begin() + cut), Bytes(line.begin() + cut, line.end())});
        ASSERT_EQ(log.frames.size(), 1u) << "cut at " << cut;
        EXPECT_EQ(log.frames[0], frame);
    }
    // Byte by byte, the way a slow line delivers it.
    std::vector<Bytes> single;
    for (uint8_t byte : line) {
        single.push_back({byte});
    }
    FrameParser parser;
    EXPECT_EQ(ParseAll(parser, single).frames.size(), 1u);
}

TEST(FrameParserTest, RejectsEverySingleBitErrorAndResynchronises)
{
    const Frame frame = DataFrame(3, 0x0F0F, {0x10, 0x7E, 0x20, 0x7D, 0x30});
    const Bytes line = FrameEncoder::Encode(frame);
    for (std::size_t position = 1; position + 1 < line.size(); ++position) {
        for (int bit = 0; bit < 8; ++bit) {
            Bytes damaged = line;
            damaged[position] ^= static_cast<uint8_t>(1 << bit);
            damaged.insert(damaged.end(), line.begin(), line.end());  // an intact copy follows
            const ParseLog log = ParseAll(damaged);
            ASSERT_EQ(log.frames.size(), 1u) << "byte " << position << " bit " << bit;
            EXPECT_EQ(log.frames[0], frame);
            EXPECT_FALSE(log.errors.empty());
        }
    }
}

TEST(FrameParserTest, NamesWhatIsWrongWithADamagedFrame)
{
    struct Case {
        Bytes line;
        FrameError error;
    };
    Bytes tooLong(kMaxFrameSize + 10, 0x00);
    tooLong.insert(tooLong.begin(), kFrameFlag);
    tooLong.push_back(kFrameFlag);
    const std::vector<Case> cases = {
        {{0x01, 0x02, 0x03, 0x7E}, FrameError::TooShort},  // noise before the first flag
        {{0x7E, 0x44, 0x00, 0x7E}, FrameError::TooShort},
        {tooLong, FrameError::TooLong},
        {{0x7E, 0x44, 0x00, 0x7D, 0x01, 0x00, 0x00, 0x00, 0x00, 0x7E}, FrameError::BadEscape},
        {{0x7E, 0x44, 0x00, 0x00, 0x00, 0x7D, 0x7E}, FrameError::BadEscape},
        {{0x7E, 0x44, 0x01, 0x12, 0x34, 0x00, 0x00, 0x7E}, FrameError::BadCrc},
        {RawFrame({0x10, 0x00, 0x00, 0x00}), FrameError::UnknownType},
        {RawFrame({0x41, 0x00, 0x00, 0x00, 0x99}), FrameError::UnexpectedPayload},
        {RawFrame({0x48, 0x00, 0x00, 0x00, 0x99}), FrameError::UnexpectedPayload},
    };
    const Bytes good = FrameEncoder::Encode(DataFrame(5, 5, {5}));
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Bytes line = cases[i].line;
        line.insert(line.end(), good.begin(), good.end());
        const ParseLog log = ParseAll(line);
        ASSERT_EQ(log.errors.size(), 1u) << "case " << i;
        EXPECT_EQ(log.errors[0], cases[i].error) << "case " << i;
        ASSERT_EQ(log.frames.size(), 1u) << "case " << i;
        EXPECT_EQ(log.frames[0].sequence, 5);
    }
}

}  // namespace
}  // namespace korvanta::orvelink
