#include "sim/TwoStationRecording.h"

#include <cmath>
#include <optional>

#include "sim/LeakNoiseGenerator.h"

namespace korvanta::sim {

namespace {

LeakNoiseConfig NoiseConfigOf(const TwoStationScenario& scenario)
{
    LeakNoiseConfig config;
    config.lowHz = scenario.lowHz;
    config.highHz = scenario.highHz;
    config.sourceRms = scenario.sourceRms;
    config.seed = scenario.seed;
    config.stations = {{.delaySeconds = scenario.delaySeconds, .snrDb = scenario.snrDb},
                       {.delaySeconds = 0.0, .snrDb = scenario.snrDb}};
    return config;
}

}  // namespace

std::string CheckScenario(const TwoStationScenario& scenario)
{
    if (scenario.blockPairs < 0 || scenario.blockPairs > kMaxBlockPairs) {
        return "the number of block pairs must lie in 0.." + std::to_string(kMaxBlockPairs);
    }
    if (scenario.firstUnit > 3 || scenario.secondUnit > 3 || scenario.firstUnit == scenario.secondUnit) {
        return "the two units must be different unit numbers 0..3";
    }
    if (!std::isfinite(scenario.resyncGapSeconds) || scenario.resyncGapSeconds < 0.0 ||
        scenario.resyncGapSeconds > LeakNoiseGenerator::kMaxGapSeconds) {
        return "the re-synchronisation gap must lie in 0.." + std::to_string(LeakNoiseGenerator::kMaxGapSeconds) + " s";
    }
    return LeakNoiseGenerator::Check(NoiseConfigOf(scenario));
}

std::vector<DataBlockRecord> SimulateTwoStationMeasurement(const TwoStationScenario& scenario)
{
    if (!CheckScenario(scenario).empty()) {
        return {};
    }
    std::optional<LeakNoiseGenerator> generator = LeakNoiseGenerator::Create(NoiseConfigOf(scenario));
    if (!generator) {
        return {};
    }
    const SpectrumEncoder encoder;
    const uint8_t units[2] = {scenario.firstUnit, scenario.secondUnit};
    std::vector<DataBlockRecord> records;
    records.reserve(2 * static_cast<size_t>(scenario.blockPairs));
    for (int pair = 0; pair < scenario.blockPairs; ++pair) {
        if (pair > 0 && pair % kPairsPerChain == 0) {
            generator->Restart(scenario.resyncGapSeconds);
        }
        const SampledBlock block = generator->NextBlock();
        for (size_t s = 0; s < 2; ++s) {
            DataBlockRecord record;
            if (!encoder.BuildRecord(std::span<const double>(block.samples[s]), units[s],
                                     static_cast<uint16_t>(block.blockNumber), scenario.battery, record)) {
                return {};  // finite samples always code; never hand back a measurement with a hole
            }
            records.push_back(record);
        }
    }
    return records;
}

}  // namespace korvanta::sim
