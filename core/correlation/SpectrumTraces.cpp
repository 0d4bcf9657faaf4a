#include "core/correlation/SpectrumTraces.h"

#include <algorithm>
#include <cmath>

#include "core/correlation/SaturatingCast.h"

namespace korvanta {

void SpectrumTraces::Init(std::span<int32_t> outputA, std::span<int32_t> outputB, uint32_t width, uint32_t height)
{
    width_ = std::min<uint32_t>({width, static_cast<uint32_t>(outputA.size()), static_cast<uint32_t>(outputB.size())});
    height_ = height;
    outputA_ = outputA.first(width_);
    outputB_ = outputB.first(width_);
    traceA_.assign(width_, 0.0f);
    traceB_.assign(width_, 0.0f);
}

void SpectrumTraces::Build(const ComplexF* ring0, const ComplexF* ring1)
{
    if (width_ == 0) {
        return;
    }
    const float step = 1024.0f / static_cast<float>(width_);
    float sumA = 0.0f;
    float sumB = 0.0f;
    uint32_t h = 0;
    for (int k = 0; k < kSpectrumBins; ++k) {
        sumA += std::sqrt(ring0[k].re * ring0[k].re + ring0[k].im * ring0[k].im);
        sumB += std::sqrt(ring1[k].re * ring1[k].re + ring1[k].im * ring1[k].im);
        if (k > static_cast<int64_t>(static_cast<float>(h) * step) && h < width_) {
            traceA_[h] = sumA;
            traceB_[h] = sumB;
            sumA = 0.0f;
            sumB = 0.0f;
            ++h;
        }
    }
    float maxA = 0.0f;
    float maxB = 0.0f;
    for (uint32_t i = 0; i < h; ++i) {
        maxA = std::max(maxA, traceA_[i]);
        maxB = std::max(maxB, traceB_[i]);
    }
    if (maxA <= 0.0f)
        maxA = 1.0f;
    if (maxB <= 0.0f)
        maxB = 1.0f;
    for (uint32_t i = 0; i < width_; ++i) {
        outputA_[i] = SaturatingTrunc<int32_t>(traceA_[i] * static_cast<float>(height_) / maxA);
        outputB_[i] = SaturatingTrunc<int32_t>(traceB_[i] * static_cast<float>(height_) / maxB);
    }
}

}  // namespace korvanta
