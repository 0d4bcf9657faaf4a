#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim/BlockSource.h"
#include "sim/scenario/Scenario.h"

namespace korvanta::sim {

// What the given units (in station order) hear in a scenario: its recordings when it names any
// (stations without one hear only a faint noise), else its pipe's acoustics. Null, with the
// reason in `error` when given, when that cannot be built.
std::unique_ptr<BlockSource> MakeScenarioSource(const Scenario& scenario, const std::vector<uint8_t>& units,
                                                std::string* error = nullptr);

}  // namespace korvanta::sim
