#include "core/values/CoherenceSpectrum.h"

#include <algorithm>

namespace korvanta {

double CoherenceSpectrum::Unbiased(int bin) const
{
    if (pairs < 2 || bin < 0 || bin >= kSpectrumBins) {
        return 0.0;
    }
    // E[estimate] ≈ 1/N + (1 − 1/N)·γ² for N averaged pairs.
    const double n = pairs;
    const double value = (n * values[static_cast<size_t>(bin)] - 1.0) / (n - 1.0);
    return std::clamp(value, 0.0, 1.0);
}

double BinFrequency(int bin)
{
    return static_cast<double>(bin) / 0.8388608;
}

}  // namespace korvanta
