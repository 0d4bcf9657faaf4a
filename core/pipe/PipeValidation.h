#pragma once

#include <cstdint>

#include "core/values/UnitSystem.h"

namespace korvanta {

// Smallest values a section may have, in stored units; a value exactly at the limit is accepted.
inline constexpr double kMinimumDiameterMm = 1.0;
inline constexpr double kMinimumVelocityMps = 1.0;
inline constexpr double kMinimumLengthM = 0.1;

// Each check converts the typed value to stored units, compares it with its limit and returns
// str::kNoError, or the string-table message of the user's unit system for a refused value.
// A value that is not a number is refused.
uint32_t CheckDiameter(float typed, UnitSystem units);
uint32_t CheckVelocity(float typed, UnitSystem units, TimeUnit time);
uint32_t CheckLength(float typed, UnitSystem units);

}  // namespace korvanta
