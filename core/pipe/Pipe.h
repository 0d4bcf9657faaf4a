#pragma once

#include <cstdint>

#include "core/pipe/PipeSection.h"

namespace korvanta {

// Derived quantities of the pipe between the two sensors. Sections in use are packed from entry
// 0: the count scans all ten entries for inUse == 1 and the computations use entries 0..n-1.

int GetSectionCount(const PipeSections& pipe);

// Sum of the section lengths in metres (float accumulation); 0 for an empty pipe.
float GetTotalLength(const PipeSections& pipe);

// Sum of length / velocity in seconds (float accumulation); 0 for an empty pipe. A section whose
// velocity is not positive (0, negative or NaN, as a damaged file may hold) or whose quotient is
// not finite contributes 0 rather than poisoning the sum with an infinity.
float GetTravelTime(const PipeSections& pipe);

// True when sections 1..n-1 hold a material other than section 0's; false below two sections.
bool HasMixedMaterials(const PipeSections& pipe);

// materialIndex / length of entry 0..9; 0 for any other index.
int GetSectionMaterial(const PipeSections& pipe, int index);
float GetSectionLength(const PipeSections& pipe, int index);

// Correlation spans' half-widths as single-precision limits just above 2048, 6144 and 10240 lags.
inline constexpr float kRangeLimit0 = 0.4194305f;
inline constexpr float kRangeLimit1 = 1.2582915f;
inline constexpr float kRangeLimit2 = 2.0971525f;
inline constexpr float kTravelTimeMargin = 1.1f;

// Picks the correlation range (0, 1 or 2) whose span covers the travel time with 10 % margin.
// Returns true when it set `range`; a pipe without sections, or one too long for the widest
// span, leaves `range` as it was and returns false.
bool SelectRange(const PipeSections& pipe, uint32_t& range);

}  // namespace korvanta
