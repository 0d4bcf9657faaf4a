#pragma once

#include <span>
#include <vector>

namespace korvanta::sim {

// Band-limited resampling of a looped signal: every output sample is the input under a
// Kaiser-windowed sinc (32 zero crossings each side, beta 9: stop band near -90 dB) whose cut-off
// lies at 90 % of the lower of the two Nyquist frequencies. The kernel is tabulated finely and
// read by linear interpolation. The input is taken as one period of a loop, so the kernel wraps
// round its ends and the output loops as smoothly as the input does. Not thread-safe.
class Resampler {
public:
    static constexpr int kZeroCrossings = 32;
    static constexpr double kPassband = 0.9;
    static constexpr double kKaiserBeta = 9.0;
    static constexpr int kTableStepsPerCrossing = 512;

    Resampler(double inputRate, double outputRate);

    // One loop of the input at the output rate: round(size * outputRate / inputRate) samples.
    // Equal rates copy the input.
    std::vector<double> Run(std::span<const float> input) const;

    double CutoffHz() const { return cutoff_ * inputRate_; }

private:
    double Kernel(double u) const;  // u in input samples from the kernel's centre

    double inputRate_;
    double outputRate_;
    double cutoff_;              // cycles per input sample
    double halfWidth_;           // input samples
    std::vector<double> table_;  // kernel at x = u * 2 * cutoff_ zero crossings, 0 .. kZeroCrossings
};

}  // namespace korvanta::sim
