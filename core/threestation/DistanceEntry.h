#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/values/UnitSystem.h"

namespace korvanta {

// A distance between two sensors as typed on the setup wizard's distance pages.
inline constexpr float kMinimumSensorDistance = 1.0f;     // m
inline constexpr float kMaximumSensorDistance = 2000.0f;  // m
inline constexpr size_t kDistanceEntryLength = 7;         // characters the entry takes

// The distance in metres, or nothing when the text is not a plain decimal number (digits and
// at most one point, no sign, no exponent) in 1..2000 m. An empty text counts as 0.
std::optional<float> ParseDistanceEntry(std::string_view text, UnitSystem units);

// The message for a refused entry, with the limits in the user's unit (1 - 2000 m, 4 - 6561 ft).
std::string DistanceRangeMessage(UnitSystem units);

}  // namespace korvanta
