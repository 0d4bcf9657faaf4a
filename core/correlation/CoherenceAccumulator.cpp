#include "core/correlation/CoherenceAccumulator.h"

#include <algorithm>

namespace korvanta {

void CoherenceAccumulator::Clear()
{
    bins_.fill(Bin{});
    pairs_ = 0;
}

void CoherenceAccumulator::Add(const ComplexF* ring1, const ComplexF* ring0)
{
    for (int k = 0; k < kSpectrumBins; ++k) {
        const double aRe = ring1[k].re, aIm = ring1[k].im;
        const double bRe = ring0[k].re, bIm = ring0[k].im;
        Bin& bin = bins_[static_cast<size_t>(k)];
        bin.crossRe += aRe * bRe + aIm * bIm;
        bin.crossIm += aIm * bRe - aRe * bIm;
        bin.power1 += aRe * aRe + aIm * aIm;
        bin.power0 += bRe * bRe + bIm * bIm;
    }
    ++pairs_;
}

CoherenceSpectrum CoherenceAccumulator::Coherence() const
{
    CoherenceSpectrum result;
    result.pairs = pairs_;
    for (int k = 0; k < kSpectrumBins; ++k) {
        const Bin& bin = bins_[static_cast<size_t>(k)];
        const double denominator = bin.power1 * bin.power0;
        const double value =
            denominator > 0.0 ? (bin.crossRe * bin.crossRe + bin.crossIm * bin.crossIm) / denominator : 0.0;
        result.values[static_cast<size_t>(k)] = static_cast<float>(std::clamp(value, 0.0, 1.0));
    }
    return result;
}

}  // namespace korvanta
