#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sim/KitOptions.h"

namespace korvanta::sim {

// What the kit has been asked and has done, for tests and the simulator's report.
struct KitCounters {
    uint64_t requests = 0;
    std::array<uint64_t, 256> requestsByOpcode{};
    uint64_t replies = 0;     // replies produced (a dead kit drops them afterwards)
    uint64_t unanswered = 0;  // requests left without a reply on purpose
    uint64_t rejected = 0;    // unknown opcodes and requests too short for their command
    uint64_t samplingStarts = 0;
    uint64_t samplingRefusals = 0;
    uint64_t blocksServed = 0;  // data blocks from a running sampling
    uint64_t emptyBlocks = 0;   // data-block requests while nothing was sampling
    uint64_t resetPresses = 0;
    uint64_t resetReports = 0;  // replies that carried the reset flag
};

// The live state of the kit as the program has left it.
struct KitSnapshot {
    std::array<UnitSettings, kKitUnits> units;
    bool charging = false;
    bool headphones = false;
    bool silent = false;
    uint8_t selectedMask = 0;  // last sensor selection
    int radioMode = 0;         // last radio mode set (0 until one is set)
    uint8_t beaconMask = 0;    // units whose beacon is on
    int listeningUnit = -1;    // the unit played on the headphones, -1 for none
    bool sampling = false;
    std::vector<uint8_t> samplingUnits;  // in serving order
};

}  // namespace korvanta::sim
