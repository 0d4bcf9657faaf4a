#pragma once

#include <complex>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "sim/BlockTiming.h"
#include "sim/Fft.h"

namespace korvanta::sim {

// A frequency response as a streaming filter: a whole number of ticks of delay, then an FIR of
// kTaps taps that carries the fractional rest of the delay and the response itself. The taps come
// from the response sampled on a fine grid, brought back to time and cut to kTaps under a Kaiser
// window (beta 12: side lobes near -90 dB, the response smoothed over about 9 Hz). The filter is
// applied by overlap-save over one block, so blocks join seamlessly.
//
// Output tick n sums taps[m] * input(n - WholeDelay() - m): the response's own time origin sits
// kTaps / 2 ticks into the taps, so every filter delays by kCentreTicks more than asked. Only
// differences between stations matter, and every filter shares that offset.
class PathFilter {
public:
    static constexpr int kTaps = 4096;
    static constexpr int kCentreTicks = kTaps / 2;
    static constexpr int kConvolutionLog2 = 13;  // 8192 >= kTaps - 1 + kSamplesPerBlock
    static constexpr int kDesignLog2 = 14;
    static constexpr int kSegment = kTaps - 1 + kSamplesPerBlock;  // input ticks one block needs

    using Response = std::function<std::complex<double>(double hz)>;

    // `design` must have 2^kDesignLog2 points and `convolution` 2^kConvolutionLog2. The delay must
    // be 0 or more seconds.
    PathFilter(const Response& response, double delaySeconds, const Fft& design, const Fft& convolution);

    int64_t WholeDelay() const { return wholeDelay_; }
    std::span<const double> Taps() const { return taps_; }

    // Adds the block's output to `out` (kSamplesPerBlock values); `segment` holds the kSegment
    // input ticks from n0 - WholeDelay() - (kTaps - 1) on, n0 being the block's first tick.
    // `scratch` is working space of the convolution's size.
    void AddBlock(const double* segment, std::span<double> out, const Fft& convolution,
                  std::vector<std::complex<double>>& scratch) const;

private:
    int64_t wholeDelay_ = 0;
    std::vector<double> taps_;
    std::vector<std::complex<double>> spectrum_;  // the taps' transform at the convolution's size
};

// The zeroth-order modified Bessel function of the first kind, for the Kaiser window.
double BesselI0(double x);

}  // namespace korvanta::sim
