#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "sim/scenario/Scenario.h"

namespace korvanta::sim {

// Reads a scenario from its JSON text (the format is described in docs/simulator.md). Every field
// may be left out and is then as in DefaultScenario(); sensors without a place sit red at 0, blue
// at the pipe's end, yellow half a pipe beyond blue and the interface unit's beside blue.
// Recording paths are resolved against `folder` but not read. False with the first fault, named
// by its place in the file, in `error`; `result` is then untouched.
class ScenarioParser {
public:
    static constexpr size_t kMaxTextBytes = 4u << 20;
    static constexpr int kMaxNesting = 32;

    static bool Parse(std::string_view text, const std::filesystem::path& folder, Scenario& result, std::string& error);
};

}  // namespace korvanta::sim
