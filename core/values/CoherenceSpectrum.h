#pragma once

#include <array>
#include <cstdint>

#include "core/values/ComplexF.h"

namespace korvanta {

// Magnitude-squared coherence |Sxy|² / (Sxx·Syy) of the two stations per spectrum bin, estimated
// from `pairs` block pairs. An estimate from N pairs is biased upwards: two unrelated signals give
// about 1/N, so callers judge a value against that floor (NoiseFloor, Unbiased).
struct CoherenceSpectrum {
    std::array<float, kSpectrumBins> values{};
    uint32_t pairs = 0;  // 0: no coherence is known (a record from before it was kept)

    bool IsKnown() const { return pairs > 0; }
    // What two unrelated signals show on average with this many pairs.
    double NoiseFloor() const { return pairs > 0 ? 1.0 / pairs : 1.0; }
    // The estimate with the 1/N bias taken out, clamped to 0..1.
    double Unbiased(int bin) const;
};

// Frequency of a spectrum bin in Hz (bin k lies at k / 0.8388608 Hz).
double BinFrequency(int bin);

}  // namespace korvanta
