#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/correlation/DataBlockRecord.h"
#include "sim/SpectrumEncoder.h"

namespace korvanta::sim {

inline constexpr int kPairsPerChain = 6;  // the stations start sampling afresh after six pairs
inline constexpr int kMaxBlockPairs = 10000;

struct TwoStationScenario {
    double delaySeconds = 0.0;  // arrival at the first (red) station minus arrival at the second
                                // (blue); negative for a leak nearer the first
    int blockPairs = 12;
    double snrDb = 10.0;  // leak noise over each station's own noise
    uint64_t seed = 1;
    double lowHz = 100.0;
    double highHz = 800.0;
    uint8_t firstUnit = 1;          // red
    uint8_t secondUnit = 2;         // blue
    double sourceRms = 1000.0;      // gives block exponents around -4, as in the field
    double resyncGapSeconds = 0.5;  // from the last block of a chain to the first of the next
    uint8_t battery = kDefaultBattery;
};

// Empty when the scenario can be simulated, else what is wrong with it.
std::string CheckScenario(const TwoStationScenario& scenario);

// The data blocks of a two-station measurement in arrival order: first unit block 0, second unit
// block 0, first unit block 1, ... After every kPairsPerChain pairs the stations start sampling
// again (block numbers from 0, time moves on by the re-synchronisation gap). Empty when
// CheckScenario finds a fault.
std::vector<DataBlockRecord> SimulateTwoStationMeasurement(const TwoStationScenario& scenario);

}  // namespace korvanta::sim
