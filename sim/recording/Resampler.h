#pragma once

#include <span>
#include <vector>

namespace korvanta::sim {

// Resampling of a looped signal by libsoxr at its very-high-quality setting (passband flat to
// 91.1 % of the lower Nyquist frequency, 28-bit stop band). The input is taken as one period of a
// loop: libsoxr is given a stretch of the loop before and after it, and the output's samples are
// those at the input's times n / ratio, so the output loops as smoothly as the input does and
// lands on the input's time grid (to within 1e-4 of an output sample). Thread-safe.
class Resampler {
public:
    Resampler(double inputRate, double outputRate);

    // One loop of the input at the output rate: round(size * outputRate / inputRate) samples.
    // Equal rates copy the input.
    std::vector<double> Run(std::span<const float> input) const;

    // Where the passband ends, in Hz.
    double CutoffHz() const;

private:
    double inputRate_;
    double outputRate_;
};

}  // namespace korvanta::sim
