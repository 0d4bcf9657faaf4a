#pragma once

#include <cstdint>
#include <string>

#include "core/values/UnitSystem.h"

namespace korvanta {

// Entry factors (user -> stored). 0.3047999902464003 is the single-precision foot in metres
// widened to double; 25.4000508001016 is 1 / 0.03937. They are not the inverses of the display
// factors, and each direction keeps its own constant.
inline constexpr double kFeetToMetres = 0.3047999902464003;
inline constexpr double kInchesToMillimetres = 25.4000508001016;
inline constexpr double kPerMillisecondToPerSecond = 1000.0;

// Display factors (stored -> user).
inline constexpr double kMetresToFeet = 3.28084;
inline constexpr double kMillimetresToInches = 0.03937;
inline constexpr double kPerSecondToPerMillisecond = 0.001;
inline constexpr double kSecondsToMilliseconds = 1000.0;

// Typed values in the user's units, converted to metres, millimetres and metres per second.
float LengthToMetres(float typed, UnitSystem units);
float DiameterToMillimetres(float typed, UnitSystem units);
float VelocityToMetresPerSecond(float typed, UnitSystem units, TimeUnit time);

// Stored values converted to the user's units for showing.
double LengthForDisplay(float metres, UnitSystem units);
double DiameterForDisplay(float millimetres, UnitSystem units);
double VelocityForDisplay(float metresPerSecond, UnitSystem units, TimeUnit time);
double DelayForDisplay(float seconds, TimeUnit time);

// String-table IDs of the unit labels ("m", "ft", "mm", "ins", "m/s", "m/ms", "ft/s", "ft/ms",
// "s", "ms").
uint32_t LengthUnitLabel(UnitSystem units);
uint32_t DiameterUnitLabel(UnitSystem units);
uint32_t VelocityUnitLabel(UnitSystem units, TimeUnit time);
uint32_t TimeUnitLabel(TimeUnit time);

// Display texts of stored values, already converted to the user's units.
std::string FormatSectionLength(float metres, UnitSystem units);                     // "%0.2f" m, "%0.1f" ft
std::string FormatSectionDiameter(float millimetres, UnitSystem units);              // "%0.0f" mm, "%0.1f" ins
std::string FormatVelocity(float metresPerSecond, UnitSystem units, TimeUnit time);  // "%0.0f" or "%0.2f"
std::string FormatLeakDistance(float metres, UnitSystem units);                      // "%.1f m" or "%.1f ft"
std::string FormatDelay(float seconds, TimeUnit time);                               // "%0.4f" s or "%0.1f" ms

// printf-style formatting of one number ("%0.2f"), for the formats above and their callers;
// always with "." as the decimal point.
std::string FormatNumber(const char* format, double value);

}  // namespace korvanta
