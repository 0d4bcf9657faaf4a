#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "core/correlation/BitReader.h"
#include "sim/SpectrumEncoder.h"
#include "tests/sim/SimTestSupport.h"

namespace korvanta::sim {
namespace {

using test::DecodePayload;

// `count` bits of the stream after the 48-bit header, as '0' and '1'.
std::string StreamBits(const std::vector<uint8_t>& payload, size_t count)
{
    std::vector<uint16_t> words(payload.size() / 2);
    for (size_t k = 0; k < words.size(); ++k) {
        words[k] = static_cast<uint16_t>(payload[2 * k] << 8 | payload[2 * k + 1]);
    }
    BitReader reader(words);
    reader.Read(16), reader.Read(16), reader.Read(16);
    std::string bits;
    while (bits.size() < count) {
        bits += reader.Read(1) ? '1' : '0';
    }
    return bits;
}

std::vector<int16_t> RandomValues(uint32_t seed, double zeroShare, double largestPlane)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    std::vector<int16_t> values(2048);
    for (size_t i = 2; i < values.size(); ++i) {
        const int magnitude = uniform(random) < zeroShare
                                  ? 0
                                  : std::min(32767, static_cast<int>(std::exp2(uniform(random) * largestPlane)));
        values[i] = static_cast<int16_t>(uniform(random) < 0.5 ? -magnitude : magnitude);
    }
    return values;
}

TEST(SpectrumEncoderTest, RoundTripsValuesOfEveryMagnitude)
{
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        const std::vector<int16_t> values = RandomValues(seed, 0.7, 15.0);
        std::vector<uint8_t> payload(kPayloadBytes);
        const EncodeResult result = SpectrumEncoder::EncodeValues(values, payload);
        ASSERT_TRUE(result.ok);
        ASSERT_EQ(result.planesCoded, result.topPlane) << "seed " << seed;
        const auto decoded = DecodePayload(payload);
        EXPECT_EQ(decoded.result, 2048);
        EXPECT_EQ(decoded.values, values) << "seed " << seed;
    }
    // An all-zero block: W 1, T 0, P 0, E 2048, F 0 and nothing more.
    std::vector<uint8_t> payload(kPayloadBytes, 0xFF);
    const EncodeResult empty = SpectrumEncoder::EncodeValues(std::vector<int16_t>(2048), payload);
    EXPECT_EQ(empty.bytesUsed, 6);
    EXPECT_EQ(std::vector<uint8_t>(payload.begin(), payload.begin() + 7),
              (std::vector<uint8_t>{0x10, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(DecodePayload(payload).values, std::vector<int16_t>(2048));
}

// Zero runs before a value: plain zero bits up to four, run escapes from five on; the step count
// N covers every position up to the value, and W is the width of the largest N.
TEST(SpectrumEncoderTest, CodesRunsInCanonicalFormWithMinimalWidth)
{
    const struct {
        int run;
        std::string bits;  // run code, then the value's one bit and its sign
    } cases[] = {
        {2,
         "00"
         "1"
         "0"},
        {4,
         "0000"
         "1"
         "0"},
        {5,
         "00000"
         "1"
         "0"
         "1"
         "0"},
        {6,
         "00000"
         "1"
         "1"
         "1"
         "0"},
        {7,
         "000000"
         "1"
         "00"
         "1"
         "0"},
        {10,
         "000000"
         "1"
         "11"
         "1"
         "0"},
        {11,
         "0000000"
         "1"
         "000"
         "1"
         "0"},
        {18,
         "0000000"
         "1"
         "111"
         "1"
         "0"},
        {19,
         "00000000"
         "1"
         "0000"
         "1"
         "0"},
        {34,
         "00000000"
         "1"
         "1111"
         "1"
         "0"},
        {35,
         "000000000"
         "1"
         "00000"
         "1"
         "0"},
        {2047,
         "00000000000000"
         "1"
         "1111111100"
         "1"
         "0"},
    };
    for (const auto& c : cases) {
        std::vector<int16_t> values(2048);
        values[static_cast<size_t>(c.run)] = 1;
        std::vector<uint8_t> payload(kPayloadBytes);
        ASSERT_TRUE(SpectrumEncoder::EncodeValues(values, payload).ok);
        const int width = static_cast<int>(std::bit_width(static_cast<unsigned>(c.run + 1)));
        EXPECT_EQ(payload[0] >> 4, width) << "run " << c.run;
        std::string expected;
        for (int b = width - 1; b >= 0; --b) {
            expected += ((c.run + 1) >> b) & 1 ? '1' : '0';
        }
        EXPECT_EQ(StreamBits(payload, expected.size() + c.bits.size()), expected + c.bits) << "run " << c.run;
        EXPECT_EQ(DecodePayload(payload).values, values) << "run " << c.run;
    }

    // Positions significant in a higher plane are no part of a lower plane's runs.
    std::vector<int16_t> values(2048);
    std::fill(values.begin() + 2, values.begin() + 10, int16_t{20});  // plane 5, N = 10
    values[17] = -1;  // plane 1: a run of 9 (0, 1, 10..16), then 191 more: N = 202
    values[209] = 1;
    std::vector<uint8_t> payload(kPayloadBytes);
    const EncodeResult result = SpectrumEncoder::EncodeValues(values, payload);
    EXPECT_EQ(result.stepWidth, 8);
    EXPECT_EQ(result.planesCoded, 5);
    EXPECT_EQ(DecodePayload(payload).values, values);
}

TEST(SpectrumEncoderTest, CodesTheShiftedRunEscapeExample)
{
    // Plane 3, positions 0..6 zero, position 7 = -10 with S = 1 (magnitude 5 before the shift).
    std::vector<int16_t> values(2048);
    values[7] = -10;
    std::vector<uint8_t> payload(kPayloadBytes);
    ASSERT_TRUE(SpectrumEncoder::EncodeValues(values, payload, {.shift = 1}).ok);
    EXPECT_EQ(payload[0], 0x43);  // W 4, T 3
    EXPECT_EQ(payload[1], 0x31);  // P 3, S 1
    // Plane 3: N = 8, six zeros, escape 1 00, the value 1 011; planes 2 and 1: N = 0.
    const std::string expected =
        "1000"
        "000000"
        "1"
        "00"
        "1"
        "011"
        "0000"
        "0000";
    EXPECT_EQ(StreamBits(payload, expected.size() + 16), expected + std::string(16, '0'));
    EXPECT_EQ(DecodePayload(payload).values, values);
}

TEST(SpectrumEncoderTest, DropsTheLowestPlanesUntilTheStreamFits)
{
    const std::vector<int16_t> values = RandomValues(7, 0.0, 15.0);
    std::vector<uint8_t> payload(kPayloadBytes + 1);  // an odd last byte is never used
    const EncodeResult result = SpectrumEncoder::EncodeValues(values, payload);
    ASSERT_TRUE(result.ok);
    ASSERT_GT(result.planesCoded, 0);
    ASSERT_LT(result.planesCoded, result.topPlane);
    EXPECT_LE(result.bytesUsed, kPayloadBytes);
    EXPECT_EQ(payload.back(), 0);
    const auto decoded = DecodePayload(payload);
    const int lowestKept = result.topPlane - result.planesCoded + 1;
    for (size_t i = 0; i < values.size(); ++i) {
        const bool kept =
            std::bit_width(static_cast<unsigned>(std::abs(values[i]))) >= static_cast<unsigned>(lowestKept);
        ASSERT_EQ(decoded.values[i], kept ? values[i] : 0) << "position " << i;
    }
    // One plane more would not have fitted; as many planes in a larger buffer give the same bytes.
    std::vector<uint8_t> large(20000);
    EXPECT_GT(SpectrumEncoder::EncodeValues(values, large, {.maxPlanes = result.planesCoded + 1}).bytesUsed,
              kPayloadBytes);
    ASSERT_TRUE(SpectrumEncoder::EncodeValues(values, large, {.maxPlanes = result.planesCoded}).ok);
    EXPECT_TRUE(std::equal(payload.begin(), payload.end() - 1, large.begin()));
}

TEST(SpectrumEncoderTest, RejectsWhatCannotBeCodedAndLeavesThePayloadAlone)
{
    std::vector<int16_t> values(2048);
    std::vector<uint8_t> payload(kPayloadBytes, 0xAB), tiny(5);
    values[5] = -32768;  // its magnitude needs a sixteenth plane
    EXPECT_FALSE(SpectrumEncoder::EncodeValues(values, payload).ok);
    values[5] = 3;
    EXPECT_FALSE(SpectrumEncoder::EncodeValues(values, payload, {.shift = 1}).ok);  // not a multiple of 2
    EXPECT_FALSE(SpectrumEncoder::EncodeValues(values, payload, {.shift = 16}).ok);
    EXPECT_FALSE(SpectrumEncoder::EncodeValues(std::vector<int16_t>(2049), payload).ok);
    EXPECT_FALSE(SpectrumEncoder::EncodeValues(values, tiny).ok);
    EXPECT_TRUE(std::all_of(payload.begin(), payload.end(), [](uint8_t b) { return b == 0xAB; }));
}

// Blocks coded by field outstations: decoding and coding again gives the same bytes.
TEST(SpectrumEncoderTest, RecodesOutstationBlocksByteForByte)
{
    const std::filesystem::path root = std::filesystem::path(KORVANTA_VECTORS_DIR) / "correlate";
    if (!std::filesystem::exists(root)) {
        GTEST_SKIP() << "no reference blocks in " << root;
    }
    int blocks = 0;
    for (const auto& entry : std::filesystem::directory_iterator(root)) {
        std::ifstream file(entry.path() / "blocks.bin", std::ios::binary);
        DataBlockRecord record;
        while (file.read(reinterpret_cast<char*>(&record), sizeof record)) {
            std::vector<uint8_t> payload(kPayloadBytes);
            const auto decoded = DecodePayload(record.payload);
            ASSERT_TRUE(
                SpectrumEncoder::EncodeValues(decoded.values, payload, {.maxPlanes = record.payload[1] >> 4}).ok);
            EXPECT_EQ(std::memcmp(payload.data(), record.payload, kPayloadBytes), 0) << entry.path() << " " << blocks;
            ++blocks;
        }
    }
    EXPECT_GT(blocks, 100);
}

TEST(SpectrumEncoderTest, ScalesByTheLargestExponentThatFits)
{
    const struct {
        double component;
        int exponent;
        int16_t value;
    } cases[] = {
        {1000.0, 5, 32000}, {32767.4, 0, 32767},  {32767.5, -1, 16384}, {-524000.0, -4, -32750},
        {0.1, 18, 26214},   {65535.0, -2, 16384}, {1e-300, 127, 0},     {1e300, -128, 32767},
    };
    for (const auto& c : cases) {
        std::vector<std::complex<double>> bins(1024);
        bins[0] = {1e12, -1e12};  // DC is not sent: it does not count
        bins[10] = {0.0, c.component};
        bins[11] = {std::ldexp(2.5, -c.exponent), std::ldexp(-2.5, -c.exponent)};
        const auto scaled = SpectrumEncoder::ScaleSpectrum(bins);
        ASSERT_TRUE(scaled.has_value());
        EXPECT_EQ(scaled->exponent, c.exponent) << c.component;
        EXPECT_EQ(scaled->values[21], c.value) << c.component;
        EXPECT_EQ(scaled->values[0], 0);
        if (c.exponent > -128 && c.exponent < 127) {
            EXPECT_EQ(scaled->values[22], 3);  // halves round away from zero
            EXPECT_EQ(scaled->values[23], -3);
        }
    }
    EXPECT_EQ(SpectrumEncoder::ScaleSpectrum(std::vector<std::complex<double>>(1024))->exponent, 0);
    std::vector<std::complex<double>> bad(1024);
    bad[3] = {std::nan(""), 0.0};
    EXPECT_FALSE(SpectrumEncoder::ScaleSpectrum(bad).has_value());
}

TEST(SpectrumEncoderTest, BuildsTheRecordOfAToneWithTheOutstationsSign)
{
    // 1000 cos at bin 100 gives +2048000 real there; 500 sin at bin 200 +1024000 imaginary.
    std::vector<double> samples(4096);
    for (size_t n = 0; n < samples.size(); ++n) {
        const double t = 2.0 * std::numbers::pi * static_cast<double>(n) / 4096.0;
        samples[n] = 1000.0 * std::cos(100.0 * t) + 500.0 * std::sin(200.0 * t) + 77.0;
    }
    const SpectrumEncoder encoder;
    DataBlockRecord record;
    ASSERT_TRUE(encoder.BuildRecord(samples, 2, 9, 150, record));
    EXPECT_EQ(record.unit, 2);
    EXPECT_EQ(record.status, 0);
    EXPECT_EQ(record.battery, 150);
    EXPECT_EQ(record.blockNumber, 9);
    EXPECT_EQ(record.payloadLength, kPayloadBytes);
    EXPECT_EQ(record.exponent, -6);
    std::vector<int16_t> expected(2048);
    expected[200] = 32000;
    expected[401] = 16000;
    EXPECT_EQ(DecodePayload(record.payload).values, expected);

    DataBlockRecord other;
    ASSERT_TRUE(encoder.BuildRecord(std::vector<float>(samples.begin(), samples.end()), 2, 9, 150, other));
    EXPECT_EQ(std::memcmp(&record, &other, sizeof record), 0);
    samples[17] = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(encoder.BuildRecord(samples, 1, 0, 150, other));
    EXPECT_FALSE(encoder.BuildRecord(std::vector<double>(4095), 1, 0, 150, other));
    EXPECT_EQ(std::memcmp(&record, &other, sizeof record), 0);
}

}  // namespace
}  // namespace korvanta::sim
