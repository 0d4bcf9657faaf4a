#pragma once

#include <vector>

namespace korvanta::sim {

// A band-pass filter as a continuous impulse response: the ideal band-pass for [low, high]
// under a Blackman window 2 * kHalfWidth samples wide (transition bands about 26 Hz wide at the
// outstations' rate, stop band below -70 dB). Sampling it at a fractional offset gives the same
// filter delayed by that fraction, so one kernel band-limits white noise and delays it at once.
class BandPassKernel {
public:
    static constexpr int kHalfWidth = 512;
    static constexpr int kTapCount = 2 * kHalfWidth + 2;  // taps -kHalfWidth .. kHalfWidth + 1

    // Frequencies in Hz; 0 <= low < high <= rate / 2 is the caller's to ensure.
    BandPassKernel(double lowHz, double highHz, double sampleRate);

    // The windowed response at u samples from its centre (0 beyond the window).
    double At(double u) const;

    // Taps h[t + kHalfWidth] = gain * At(t - fraction) / sqrt(sum over t of At(t)^2), for
    // t = -kHalfWidth .. kHalfWidth + 1 and fraction in [0, 1). White noise of variance 1 through
    // these taps has variance gain^2 (to within the tiny change the fraction makes).
    std::vector<double> Taps(double fraction, double gain) const;

private:
    double low_;   // cycles per sample
    double high_;  // cycles per sample
    double norm_ = 1.0;
};

}  // namespace korvanta::sim
