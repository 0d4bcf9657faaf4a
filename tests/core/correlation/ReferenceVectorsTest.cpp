// The engine and the decoder against results computed by an independent implementation.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>

#include "core/correlation/BlockReplay.h"
#include "core/correlation/CCorrelator.h"
#include "core/correlation/DataBlockDecoder.h"
#include "core/correlation/DataBlockFile.h"
#include "core/record/MeasurementRecord.h"
#include "tests/support/VectorFiles.h"

namespace korvanta {
namespace {

using test::ListCases;
using test::ReadBytes;
using test::ReadJson;
using test::VectorsDir;

class DecodeVectorTest : public testing::TestWithParam<std::string> {};

TEST_P(DecodeVectorTest, MatchesIndependentDecoder)
{
    const auto dir = VectorsDir() / "decode";
    const std::vector<uint8_t> payload = ReadBytes(dir / (GetParam() + ".bin"));
    const auto expected = ReadJson(dir / (GetParam() + ".json"));
    ASSERT_EQ(payload.size(), 2800u);

    uint16_t words[kPayloadWords] = {};
    for (size_t k = 0; k < payload.size() / 2; ++k) {
        words[k] = static_cast<uint16_t>(payload[2 * k] << 8 | payload[2 * k + 1]);
    }
    // Sentinels after the output catch a decoder that writes past its capacity.
    std::array<int16_t, kDecodeCapacity + 16> values{};
    values.fill(0);
    std::fill(values.begin() + kDecodeCapacity, values.end(), int16_t{0x5A5A});
    uint16_t peak = 0;
    const uint16_t result = DecodeDataBlock(words, std::span<int16_t>(values.data(), kDecodeCapacity), peak);

    EXPECT_EQ(result, expected["result"].get<int>());
    EXPECT_EQ(peak, expected["peak"].get<int>());
    const auto& want = expected["values"];
    ASSERT_EQ(want.size(), static_cast<size_t>(kDecodeCapacity));
    for (int i = 0; i < kDecodeCapacity; ++i) {
        ASSERT_EQ(values[i], want[i].get<int>()) << "value " << i;
    }
    for (size_t i = kDecodeCapacity; i < values.size(); ++i) {
        ASSERT_EQ(values[i], 0x5A5A);
    }
}

INSTANTIATE_TEST_SUITE_P(Vectors, DecodeVectorTest, testing::ValuesIn(ListCases(VectorsDir() / "decode", ".json")));

struct CorrelateOptions {
    uint32_t range = 0;
    int32_t pair = 6;
    FilterSettings filters;
    bool blank = false;
    uint32_t blankA = 0, blankB = 0;
    bool zoom = false;
    uint32_t zoomColumn = 0, zoomFactor = 1;
};

CorrelateOptions ParseArgs(const std::string& text)
{
    CorrelateOptions options;
    std::istringstream in(text);
    std::string option;
    int notches = 0;
    while (in >> option) {
        std::string value;
        if (option != "--auto") {
            in >> value;
        }
        if (option == "--range")
            options.range = std::stoul(value);
        else if (option == "--pair")
            options.pair = std::stoi(value);
        else if (option == "--low")
            options.filters.lowCutoff = std::stof(value);
        else if (option == "--high")
            options.filters.highCutoff = std::stof(value);
        else if (option == "--auto")
            options.filters.automatic = 1;
        else if (option == "--notch") {
            std::sscanf(value.c_str(), "%f:%f", &options.filters.notches[notches].low,
                        &options.filters.notches[notches].high);
            ++notches;
        } else if (option == "--blank") {
            options.blank = true;
            std::sscanf(value.c_str(), "%u:%u", &options.blankA, &options.blankB);
        } else if (option == "--zoom") {
            options.zoom = true;
            std::sscanf(value.c_str(), "%u:%u", &options.zoomColumn, &options.zoomFactor);
        } else {
            ADD_FAILURE() << "unknown option in args: " << option;
        }
    }
    return options;
}

uint32_t FloatBits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

class CorrelateVectorTest : public testing::TestWithParam<std::string> {};

TEST_P(CorrelateVectorTest, MatchesIndependentEngine)
{
    const auto dir = VectorsDir() / "correlate" / GetParam();
    const CorrelateOptions options = ParseArgs(test::ReadText(dir / "args"));
    const auto expected = ReadJson(dir / "expected.json");

    std::vector<DataBlockRecord> blocks;
    std::string error;
    ASSERT_TRUE(ReadDataBlockFile(dir / "blocks.bin", blocks, error)) << error;

    auto record = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
    record->range = options.range;
    record->pairCode = options.pair;
    record->filters = options.filters;
    std::array<int32_t, 620> trace{};
    std::array<int32_t, 504> spectrumA{}, spectrumB{};
    auto engine = std::make_unique<CCorrelator>();
    engine->Init(trace, spectrumA, spectrumB, 620, 180, 504, 155);
    engine->SetRecord(record.get());
    engine->SetPairCode(options.pair);
    bool result = ReplayBlocks(*engine, blocks);
    std::optional<uint32_t> column;
    if (options.blank) {
        engine->SetBlanking(options.blankA, options.blankB);
        result = engine->RestoreFromRecord();
    } else if (options.zoom) {
        uint32_t at = options.zoomColumn;
        column = engine->SetZoom(at, options.zoomFactor);
        result = engine->RestoreFromRecord();
    }

    EXPECT_EQ(record->pairTotal, expected["pairs"].get<uint32_t>());
    EXPECT_EQ(result, expected["result"].get<bool>());
    if (expected["column"].is_null()) {
        EXPECT_FALSE(column.has_value());
    } else {
        ASSERT_TRUE(column.has_value());
        EXPECT_EQ(*column, expected["column"].get<uint32_t>());
    }
    const uint32_t wantBits = std::strtoul(expected["delay_float32_hex"].get<std::string>().c_str(), nullptr, 16);
    const uint32_t wantBitsLe = __builtin_bswap32(wantBits);  // the hex string is the little-endian byte order
    const float wantDelay = expected["delay"].get<float>();
    EXPECT_EQ(FloatBits(engine->GetDelay()), wantBitsLe) << engine->GetDelay() << " vs " << wantDelay;
    EXPECT_NEAR(engine->GetQuality(), expected["quality"].get<int>(), 1);

    const auto expectNear = [](const auto& got, const nlohmann::json& want, const char* name) {
        ASSERT_EQ(want.size(), got.size()) << name;
        for (size_t i = 0; i < got.size(); ++i) {
            ASSERT_NEAR(got[i], want[i].get<int>(), 1) << name << "[" << i << "]";
        }
    };
    expectNear(trace, expected["trace"], "trace");
    expectNear(spectrumA, expected["spectrum_a"], "spectrum_a");
    expectNear(spectrumB, expected["spectrum_b"], "spectrum_b");
}

INSTANTIATE_TEST_SUITE_P(Vectors, CorrelateVectorTest, testing::ValuesIn(ListCases(VectorsDir() / "correlate")),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(ReferenceVectors, AreAvailable)
{
    EXPECT_FALSE(ListCases(VectorsDir() / "correlate").empty()) << VectorsDir();
    EXPECT_FALSE(ListCases(VectorsDir() / "decode", ".json").empty()) << VectorsDir();
}

}  // namespace
}  // namespace korvanta
