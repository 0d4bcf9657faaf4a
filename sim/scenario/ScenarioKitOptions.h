#pragma once

#include <memory>
#include <string>

#include "sim/KitOptions.h"
#include "sim/scenario/Scenario.h"

namespace korvanta::sim {

// The kit's options for a scenario: its units, charger, headphones, line faults, seed and pacing
// (paced when the scenario leaves it open), with the scenario itself for the acoustics and the
// timeline.
KitOptions ScenarioKitOptions(std::shared_ptr<const Scenario> scenario);

// The options of the program's own in-process kit: the scenario named by KORVANTA_SIM_SCENARIO,
// else the default one. False, with the reason in `error`, when the named file is unusable.
// `source` says which scenario it is (the file's path or "default").
bool ProgramKitOptions(KitOptions& options, std::string& error, std::string* source = nullptr);

}  // namespace korvanta::sim
