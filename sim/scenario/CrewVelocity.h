#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace korvanta {
class CMaterialDatabase;
}

namespace korvanta::sim {

struct Scenario;

// What the crew on site enters as a section's velocity. By default what the program's material
// table proposes for the section's material and inner diameter, as a crew without a velocity
// measurement would take; a scenario may instead state the figure, or an error in per cent
// against the speed the wave really has (a crew that measured it, so well).
struct CrewVelocity {
    std::optional<double> metresPerSecond;
    std::optional<double> errorPercent;
};

// The program's material index (0..10) of a scenario's material name; nothing for a name the
// program's table does not know.
std::optional<int16_t> ProgramMaterialIndex(std::string_view material);

// The velocity the crew enters for section `section` (a valid index) of the scenario. A section
// whose material the program's table does not know, or whose table is empty, is taken as measured
// without error: the speed the wave has there.
double EnteredVelocity(const Scenario& scenario, size_t section, const CMaterialDatabase& materials);

}  // namespace korvanta::sim
