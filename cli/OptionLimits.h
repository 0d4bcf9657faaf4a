#pragma once

#include <cstdint>
#include <string>

#include "cli/CommandLine.h"

namespace korvanta::cli {

// What the tool's numbers can mean: a value outside is refused with the range, never passed on to
// overflow a single-precision field or to run a measurement that cannot end.
inline constexpr double kMaxFilterHz = 1220.703125;     // the top of the 1024-bin spectrum
inline constexpr double kMaxSectionLengthM = 100000.0;  // far beyond the widest correlation span
inline constexpr double kMaxVelocityMps = 10000.0;      // above sound in any pipe material
inline constexpr double kMaxDiameterMm = 10000.0;
inline constexpr double kMaxDelaySeconds = 2.097152;  // half the widest correlation span

// --pair: one of the sensor pair codes 3, 5, 6, 9, 10, 12.
uint32_t PairCodeOption(const CommandLine& options, uint32_t fallback);
// A filter frequency in 0..kMaxFilterHz.
float FrequencyOption(const std::string& text, const std::string& what);
// Refuses a band whose lower edge is not below its upper one (0 = that edge is not set).
void CheckBand(float low, float high, const std::string& what);

}  // namespace korvanta::cli
