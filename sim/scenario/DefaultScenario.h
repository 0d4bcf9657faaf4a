#pragma once

#include "sim/scenario/Scenario.h"

namespace korvanta::sim {

// The kit as a new user meets it: red and blue 120 m apart on 110 mm PVC (SDR 26: 101.4 mm bore,
// 4.3 mm wall), hydrophones, a leak 43.5 m from red, some traffic and a quiet sensor noise.
// docs/scenarios/default.json spells out the same scenario.
Scenario DefaultScenario();

// The same pipe, sensors and noise with red at 0, blue `redBlueMetres` on, yellow
// `blueYellowMetres` beyond blue (the interface unit's sensor beside blue) and the leak
// `leakFromRedMetres` from red: both modes of the kit measure one main.
Scenario DefaultPipeScenario(double redBlueMetres, double blueYellowMetres, double leakFromRedMetres);

}  // namespace korvanta::sim
