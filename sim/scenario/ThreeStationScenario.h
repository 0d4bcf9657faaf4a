#pragma once

#include <string>

#include "sim/KitOptions.h"
#include "sim/scenario/Scenario.h"

namespace korvanta::sim {

// The kit's default pipe (the two-station mode's 110 mm PVC, hydrophones) with red at 0, blue
// `redBlueMetres` further on, yellow `blueYellowMetres` beyond blue, and a leak between red and
// blue, at 0.4 of their distance from red.
Scenario ThreeStationScenario(double redBlueMetres, double blueYellowMetres);

// The kit of the three-station mode: the scenario named by KORVANTA_SIM_SCENARIO, else a main
// laid out at the distances the user entered. False, with the reason in `error`, when the named
// file is unusable. `source` says which scenario it is (the file's path or "three-station").
bool ProgramThreeStationKitOptions(KitOptions& options, double redBlueMetres, double blueYellowMetres,
                                   std::string& error, std::string* source = nullptr);

}  // namespace korvanta::sim
