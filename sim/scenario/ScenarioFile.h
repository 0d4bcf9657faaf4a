#pragma once

#include <string>
#include <vector>

#include "sim/scenario/Scenario.h"

namespace korvanta::sim {

// The environment variable naming the scenario of the program's in-process kit.
inline constexpr const char* kScenarioVariable = "KORVANTA_SIM_SCENARIO";

// Reads a scenario file, resolves its recordings against the file's folder and loads them. False,
// with the reason in `error`, when the file, its text or a recording is unusable; warnings about
// recordings read despite damage go to `warnings`.
bool LoadScenarioFile(const std::string& path, Scenario& result, std::string& error,
                      std::vector<std::string>* warnings = nullptr);

// Loads the recordings a scenario names into its tracks.
bool LoadScenarioRecordings(Scenario& scenario, std::string& error, std::vector<std::string>* warnings = nullptr);

// The scenario named by KORVANTA_SIM_SCENARIO, or the default one when the variable is unset or
// empty. `source` says which (the file's path or "default").
bool ScenarioFromEnvironment(Scenario& result, std::string& error, std::string* source = nullptr);

}  // namespace korvanta::sim
