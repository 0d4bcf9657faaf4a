// Blocks without a usable spectrum (the unit reported no sensor or no answer, or the values are
// not finite) cost their own pair only: the measurement goes on and its result stays sound.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <set>
#include <vector>

#include "core/correlation/BlockReplay.h"
#include "core/correlation/CCorrelator.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/record/MeasurementRecord.h"
#include "sim/TwoStationRecording.h"

namespace korvanta {
namespace {

constexpr double kDelay = 0.01;
constexpr int kPairs = 20;

struct Damage {
    size_t block;  // index in arrival order: red and blue alternate
    uint8_t status = 1;
    int exponent = 0;  // 0: unchanged
};

struct Case {
    const char* name;
    std::vector<Damage> damage;
};

TEST(UnusableBlocksTest, EachCostsItsOwnPairOnly)
{
    const Case cases[] = {
        {"none", {}},
        {"one blue block without a sensor", {{5, 2}}},
        {"the very first red block missing", {{0, 4}}},
        {"two blocks of red in a row", {{8, 4}, {10, 4}}},
        {"both blocks of one pair", {{14, 3}, {15, 2}}},
        {"many, both stations", {{3, 2}, {10, 4}, {13, 2}, {22, 3}, {27, 4}, {30, 2}, {35, 2}, {38, 4}}},
        {"infinite powers", {{7, 1, -112}}},
        {"infinite values and zero times infinity", {{20, 1, -128}}},
        {"the last block of a chain", {{11, 2}}},
    };
    sim::TwoStationScenario scenario;
    scenario.delaySeconds = kDelay;
    scenario.blockPairs = kPairs;
    scenario.snrDb = 6.0;
    const std::vector<DataBlockRecord> clean = sim::SimulateTwoStationMeasurement(scenario);
    ASSERT_EQ(clean.size(), 2u * kPairs);

    for (const Case& c : cases) {
        std::vector<DataBlockRecord> blocks = clean;
        std::set<size_t> lostPairs;
        for (const Damage& d : c.damage) {
            blocks[d.block].status = d.status;
            if (d.exponent != 0) {
                blocks[d.block].exponent = static_cast<int8_t>(d.exponent);
            }
            lostPairs.insert(d.block / 2);
        }
        auto record = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
        record->range = 0;
        std::array<int32_t, 620> trace{};
        std::array<int32_t, 504> a{}, b{};
        CCorrelator engine;
        engine.Init(trace, a, b, 620, 180, 504, 155);
        engine.SetRecord(record.get());
        ASSERT_TRUE(ReplayBlocks(engine, blocks)) << c.name;
        EXPECT_EQ(record->pairTotal, kPairs - lostPairs.size()) << c.name;
        for (int k = 0; k < kSpectrumBins; ++k) {
            const ComplexF bin = engine.Accumulator(2)[k];
            ASSERT_TRUE(std::isfinite(bin.re) && std::isfinite(bin.im)) << c.name;
        }
        EXPECT_NEAR(engine.GetDelay(), kDelay, kLagSeconds) << c.name;
    }
}

}  // namespace
}  // namespace korvanta
