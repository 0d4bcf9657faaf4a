#pragma once

#include <array>
#include <optional>

#include "core/pipe/PipeSection.h"

namespace korvanta {

class CMaterialDatabase;

// How far each section's entered velocity may be from the wave's, as a share (0.03 = 3 %).
using VelocityShares = std::array<float, kMaxPipeSections>;

// The shares for a pipe as entered. A velocity that is the material table's for the section's
// diameter carries the table's uncertainty: water between 0 and 25 °C and the tolerance of the
// walls move a stiff (metal, cement) pipe's velocity by about 3 %; a soft (plastic) wall's
// modulus depends on temperature, the noise's frequency and the soil around it, which moves its
// velocity by 15 % and more. A velocity the crew entered otherwise (measured) carries
// `measuredShare`; the velocity tools know their regression's and pass it.
VelocityShares VelocitySharesFor(const PipeSections& pipe, const CMaterialDatabase* materials,
                                 float measuredShare = 0.02f);

inline constexpr float kStiffWallShare = 0.03f;
inline constexpr float kSoftWallShare = 0.15f;
// Below this velocity the wall is soft (plastics); metals and cement lie far above it.
inline constexpr float kSoftWallVelocity = 700.0f;

// The leak's distance from the start of the pipe with its span of doubt: the position for the
// delay, and the lowest and highest positions for any delay within ±delayHalfWidth and any
// section velocities within their shares. Clamped to the pipe.
struct PositionInterval {
    float fromStart = 0.0f;
    float low = 0.0f;
    float high = 0.0f;
    float HalfWidth() const;
};

// Nothing without sections.
std::optional<PositionInterval> ComputePositionInterval(const PipeSections& pipe, float delay, double delayHalfWidth,
                                                        const VelocityShares& shares);

}  // namespace korvanta
