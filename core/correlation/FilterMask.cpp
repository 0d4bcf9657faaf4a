#include "core/correlation/FilterMask.h"

#include <algorithm>
#include <cmath>

namespace korvanta {

namespace {

// trunc(hz * bins per Hz) as an int, kept inside [0, 65535] so that a damaged value
// cannot overflow the conversion.
int32_t BinOf(float hz)
{
    const float bin = hz * kBinsPerHz;
    if (!(bin > 0.0f)) {
        return 0;
    }
    if (bin >= 65535.0f) {
        return 65535;
    }
    return static_cast<int32_t>(bin);
}

void Stop(FilterMask& mask, int32_t from, int32_t to)  // [from, to)
{
    from = std::clamp(from, 0, kSpectrumBins);
    to = std::clamp(to, 0, kSpectrumBins);
    for (int32_t k = from; k < to; ++k) {
        mask[k] = 0;
    }
}

}  // namespace

FilterMask BuildFilterMask(const FilterSettings& settings)
{
    FilterMask mask;
    mask.fill(1);
    if (settings.lowCutoff > 0.0f) {
        const int32_t u = BinOf(settings.lowCutoff);
        if (u > 0) {
            Stop(mask, 0, u);
        }
    }
    if (settings.highCutoff > 0.0f) {
        const int32_t e = BinOf(settings.highCutoff);
        if (e < kSpectrumBins) {
            Stop(mask, e, kSpectrumBins);
        }
    }
    for (const NotchFilter& notch : settings.notches) {
        if (notch.high > 0.0f) {
            // The notch edges are 16-bit bin numbers.
            const int32_t f = static_cast<uint16_t>(BinOf(notch.low));
            const int32_t g = static_cast<uint16_t>(BinOf(notch.high));
            if (f < g) {
                Stop(mask, f, g);
            }
        }
    }
    return mask;
}

}  // namespace korvanta
