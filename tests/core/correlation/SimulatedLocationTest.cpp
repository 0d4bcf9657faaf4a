// Whole measurements from the simulated outstations, correlated as the document feeds them.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>

#include "core/correlation/BlockReplay.h"
#include "core/correlation/CCorrelator.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/record/MeasurementRecord.h"
#include "sim/TwoStationRecording.h"

namespace korvanta {
namespace {

struct LocationCase {
    uint32_t range;
    double delay;
};

class SimulatedLocationTest : public testing::TestWithParam<LocationCase> {};

TEST_P(SimulatedLocationTest, PeakLiesWithinOneLagOfTheTrueDelay)
{
    const LocationCase c = GetParam();
    sim::TwoStationScenario scenario;
    scenario.delaySeconds = c.delay;
    scenario.blockPairs = 24;
    scenario.snrDb = 0.0;
    scenario.seed = 11 + c.range;
    const auto blocks = sim::SimulateTwoStationMeasurement(scenario);
    ASSERT_EQ(blocks.size(), 48u);

    auto record = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
    record->range = c.range;
    std::array<int32_t, 620> trace{};
    std::array<int32_t, 504> a{}, b{};
    auto engine = std::make_unique<CCorrelator>();
    engine->Init(trace, a, b, 620, 180, 504, 155);
    engine->SetRecord(record.get());
    ASSERT_TRUE(ReplayBlocks(*engine, blocks));
    EXPECT_NEAR(engine->GetDelay(), c.delay, kLagSeconds) << "range " << c.range;
    EXPECT_GT(engine->GetQuality(), 5);
}

INSTANTIATE_TEST_SUITE_P(Ranges, SimulatedLocationTest,
                         testing::Values(LocationCase{0, 0.0}, LocationCase{0, -0.15}, LocationCase{0, 0.3712},
                                         LocationCase{1, 0.65}, LocationCase{1, -1.1}, LocationCase{2, 1.8},
                                         LocationCase{2, -1.6}, LocationCase{2, 0.05}));

}  // namespace
}  // namespace korvanta
