#pragma once

namespace korvanta {

// One spectrum bin in single precision, laid out as (re, im) like the stored records.
struct ComplexF {
    float re = 0.0f;
    float im = 0.0f;
};
static_assert(sizeof(ComplexF) == 8);

inline constexpr int kSpectrumBins = 1024;

}  // namespace korvanta
