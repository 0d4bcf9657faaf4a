#include "core/correlation/AutoFilter.h"

namespace korvanta {

AutoFilterTaper BuildAutoFilterTaper()
{
    AutoFilterTaper taper{};
    for (int k = 0; k < kAutoFilterTaperLength; ++k) {
        const float x = static_cast<float>(k) * 3.0f * 0.01f;
        const float y = x * x * 0.5f;
        const float y2 = y * y;
        const float y3 = y2 * y;
        const float y4 = y3 * y;
        taper[k] = 1.0f / (1.0f + y + y2 * 0.5f + y3 * 0.16666667f + y4 * 0.041666668f);
    }
    return taper;
}

void AutoFilter::Clear()
{
    centre_ = 0;
    centreEnergy_ = 0.0f;
    pairCounter_ = 0;
    centreFound_ = 0;
}

void AutoFilter::Apply(const ComplexF* sum, ComplexF* crossSpectrum)
{
    if (pairCounter_ > kLearningPairs) {
        if (!centreFound_) {
            FindCentre(sum);
            centreFound_ = 1;
        } else {
            Weight(crossSpectrum);
        }
    } else if (centreFound_) {
        Weight(crossSpectrum);
    }
    ++pairCounter_;
}

void AutoFilter::FindCentre(const ComplexF* sum)
{
    float window[3] = {0.0f, 0.0f, 0.0f};  // energies of bins k-2, k-1, k
    float best = 0.0f;
    for (int k = 0; k < kSpectrumBins; ++k) {
        window[0] = window[1];
        window[1] = window[2];
        window[2] = sum[k].re * sum[k].re + sum[k].im * sum[k].im;
        const float s = window[0] + window[1] + window[2];
        if (k >= 3 && s > best) {
            best = s;
            centre_ = static_cast<uint16_t>(k);
            centreEnergy_ = s;
        }
    }
}

void AutoFilter::Weight(ComplexF* crossSpectrum) const
{
    const int m = centre_;
    for (int k = m; k < kSpectrumBins; ++k) {
        const int d = k - m;
        const float w = d < kAutoFilterTaperLength ? taper_[d] : 0.0f;
        crossSpectrum[k].re = d < kAutoFilterTaperLength ? crossSpectrum[k].re * w : 0.0f;
        crossSpectrum[k].im = d < kAutoFilterTaperLength ? crossSpectrum[k].im * w : 0.0f;
    }
    for (int k = m; k >= 1; --k) {
        const int d = m - k;
        const float w = d < kAutoFilterTaperLength ? taper_[d] : 0.0f;
        crossSpectrum[k].re = d < kAutoFilterTaperLength ? crossSpectrum[k].re * w : 0.0f;
        crossSpectrum[k].im = d < kAutoFilterTaperLength ? crossSpectrum[k].im * w : 0.0f;
    }
}

}  // namespace korvanta
