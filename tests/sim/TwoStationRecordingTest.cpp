#include <gtest/gtest.h>

#include <complex>
#include <cstring>
#include <vector>

#include "sim/BlockTiming.h"
#include "sim/Fft.h"
#include "sim/TwoStationRecording.h"
#include "tests/sim/SimTestSupport.h"

namespace korvanta::sim {
namespace {

// Lag in ticks of the correlation peak of the decoded pairs, the first unit's spectrum times the
// conjugate of the second's, as the correlation engine forms them.
double PeakLag(const std::vector<DataBlockRecord>& records)
{
    std::vector<std::complex<double>> cross(4096);
    for (size_t i = 0; i + 1 < records.size(); i += 2) {
        const auto first = test::DecodedBins(records[i]);
        const auto second = test::DecodedBins(records[i + 1]);
        for (size_t k = 0; k < first.size(); ++k) {
            cross[k] += first[k] * std::conj(second[k]);
        }
    }
    Fft(12).Transform(cross, -1);
    const auto peak =
        std::max_element(cross.begin(), cross.end(), [](auto a, auto b) { return std::abs(a) < std::abs(b); }) -
        cross.begin();
    return static_cast<double>(peak < 2048 ? peak : peak - 4096);
}

TEST(TwoStationRecordingTest, DeliversRepeatablePairsInArrivalOrderAndRestartsAfterSix)
{
    TwoStationScenario scenario;
    scenario.blockPairs = 14;
    const auto records = SimulateTwoStationMeasurement(scenario);
    ASSERT_EQ(records.size(), 28u);
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].unit, i % 2 == 0 ? 1 : 2);
        EXPECT_EQ(records[i].blockNumber, (i / 2) % 6) << "record " << i;
        EXPECT_EQ(records[i].status, 0);
        EXPECT_EQ(records[i].battery, kDefaultBattery);
        EXPECT_EQ(records[i].payloadLength, kPayloadBytes);
        EXPECT_GE(records[i].exponent, -6);  // field outstations give about -4
        EXPECT_LE(records[i].exponent, -2);
        EXPECT_EQ(test::DecodePayload(records[i].payload).result, 2048);
    }
    const auto again = SimulateTwoStationMeasurement(scenario);
    EXPECT_EQ(std::memcmp(records.data(), again.data(), records.size() * sizeof(DataBlockRecord)), 0);

    scenario.firstUnit = 3;
    scenario.secondUnit = 2;
    scenario.blockPairs = 1;
    scenario.seed = 2;
    const auto yellowBlue = SimulateTwoStationMeasurement(scenario);
    ASSERT_EQ(yellowBlue.size(), 2u);
    EXPECT_EQ(yellowBlue[0].unit, 3);
    EXPECT_EQ(yellowBlue[1].unit, 2);
    EXPECT_NE(std::memcmp(yellowBlue[0].payload, records[0].payload, kPayloadBytes), 0);
}

TEST(TwoStationRecordingTest, CodedSpectraCorrelateAtTheDelay)
{
    // Negative: the leak is nearer the first (red) station, its noise arrives there first.
    for (const double delay : {0.0125, -0.02, 0.0, 0.25}) {
        TwoStationScenario scenario;
        scenario.delaySeconds = delay;
        scenario.snrDb = 3.0;
        scenario.seed = 5;
        EXPECT_NEAR(PeakLag(SimulateTwoStationMeasurement(scenario)), delay * kSampleRate, 2.0) << delay;
    }
}

TEST(TwoStationRecordingTest, RefusesScenariosItCannotSimulate)
{
    const auto broken = [](auto change) {
        TwoStationScenario scenario;
        change(scenario);
        return scenario;
    };
    const TwoStationScenario bad[] = {
        broken([](auto& s) { s.blockPairs = -1; }),
        broken([](auto& s) { s.blockPairs = kMaxBlockPairs + 1; }),
        broken([](auto& s) { s.secondUnit = 1; }),
        broken([](auto& s) { s.firstUnit = 4; }),
        broken([](auto& s) { s.resyncGapSeconds = -1.0; }),
        broken([](auto& s) { s.lowHz = 900.0; }),
        broken([](auto& s) { s.delaySeconds = std::nan(""); }),
    };
    for (const TwoStationScenario& scenario : bad) {
        EXPECT_FALSE(CheckScenario(scenario).empty());
        EXPECT_TRUE(SimulateTwoStationMeasurement(scenario).empty());
    }
    EXPECT_TRUE(CheckScenario(broken([](auto& s) { s.blockPairs = 0; })).empty());
}

}  // namespace
}  // namespace korvanta::sim
