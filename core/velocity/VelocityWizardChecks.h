#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/pipe/Material.h"
#include "core/values/UnitSystem.h"

namespace korvanta {

class CCorrelator;

// The checks and arithmetic of the velocity calculation wizard. Each check answers the
// string-table message to show, or nothing when the value passes.

// Before the wizard opens: a delay below 0.01 s in magnitude (compared in double, so the float
// nearest 0.01 s is refused too), then a pipe of other than one section.
std::optional<uint32_t> CheckWizardStart(float delaySeconds, int sectionCount);

// Before the wizard opens, after CheckWizardStart: the peak the delay comes from must be one to
// rely on, since a weak, ambiguous or common-noise peak gives a velocity of nothing. A place
// beyond the pipe is no reason here: the wizard's source may lie outside the sensors, and the
// pipe's velocity is what it finds. Nothing when the peak may be used, else the message to show.
std::optional<std::string> CheckWizardPeak(const CCorrelator& engine);

// Page 1: the pipe length between the sensors, typed in the user's unit.
std::optional<uint32_t> CheckPipeLength(float typed, UnitSystem units);

// Page 2: where the noise source lies. `choice` is -1 (nothing chosen), 0 ("Ja", between the
// sensors) or 1 ("Nej").
struct SourcePositionCheck {
    std::optional<uint32_t> error;  // stay on the page
    std::optional<uint32_t> note;   // show, then advance
};
SourcePositionCheck CheckSourcePosition(int choice, float distanceMetres, float lengthMetres);

// Page 3: the velocity from the length, the source's distance from the first sensor (when it lies
// between the sensors) and the delay, as a magnitude in m/s. A delay of zero fails with the
// invalid-delay message; so does a result below 1 m/s, which no pipe carries: with the source
// between the sensors (near the middle, the likely cause) it fails with the near-the-middle
// message instead.
struct WizardVelocity {
    std::optional<uint32_t> error;
    float metresPerSecond = 0.0f;
};
inline constexpr float kLowestVelocity = 1.0f;
WizardVelocity ComputeWizardVelocity(float lengthMetres, bool betweenSensors, float distanceMetres, float delaySeconds);

// The velocity in the user's unit as page 3 holds it (single precision), its text ("%0.2f" per
// millisecond, else "%0.0f") and the value handed back to the document in m/s.
float VelocityInUserUnits(float metresPerSecond, UnitSystem units, TimeUnit time);
std::string WizardVelocityText(float userValue, TimeUnit time);
float VelocityFromUserUnits(float userValue, UnitSystem units, TimeUnit time);

// Page 3, Finish with the save box ticked: the diameter typed in the user's unit and the chosen
// material.
std::optional<uint32_t> CheckSaveChoice(float typedDiameter, UnitSystem units, int materialIndex);

// The names page 3 lists: materials 0, 1, 2 ... as long as each is in use.
std::vector<std::string> WizardMaterialNames(std::span<const Material, kMaxMaterials> materials);

// The bitmap of the first outstation of a sensor pair: 141 blue, 153 yellow, 140 red.
int WizardSensorIcon(uint32_t pairCode);

// Puts (diameter, velocity) into a material's table, ascending by diameter: an equal diameter
// takes the new velocity, a new one is inserted in its place. False when the table is full.
bool InsertVelocityPair(Material& material, float diameter, float velocity);

}  // namespace korvanta
