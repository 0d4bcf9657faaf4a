#pragma once

#include <array>
#include <cstdint>

#include "core/values/ComplexF.h"
#include "core/values/FilterSettings.h"

namespace korvanta {

// One byte per spectrum bin: non-zero lets the bin into the correlation, 0 stops it.
using FilterMask = std::array<uint8_t, kSpectrumBins>;

inline constexpr float kBinsPerHz = 0.8388608f;

// Builds the mask from cut-offs and notches. Values outside the spectrum (negative, above the
// last bin, not a number) are clamped to it, so the mask is never written out of bounds.
FilterMask BuildFilterMask(const FilterSettings& settings);

}  // namespace korvanta
