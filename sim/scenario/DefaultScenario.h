#pragma once

#include "sim/scenario/Scenario.h"

namespace korvanta::sim {

// The kit as a new user meets it: red and blue 120 m apart on 110 mm PVC (SDR 26: 101.4 mm bore,
// 4.3 mm wall), hydrophones, a leak 43.5 m from red, some traffic and a quiet sensor noise.
// docs/scenarios/default.json spells out the same scenario.
Scenario DefaultScenario();

}  // namespace korvanta::sim
