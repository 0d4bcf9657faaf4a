#include "sim/acoustics/PathFilter.h"

#include <cmath>
#include <numbers>

namespace korvanta::sim {

namespace {

constexpr double kKaiserBeta = 12.0;

}  // namespace

double BesselI0(double x)
{
    // The power series converges quickly for the arguments a window needs (up to about 20).
    const double quarter = 0.25 * x * x;
    double term = 1.0;
    double sum = 1.0;
    for (int k = 1; k < 200 && term > 1e-17 * sum; ++k) {
        term *= quarter / (static_cast<double>(k) * static_cast<double>(k));
        sum += term;
    }
    return sum;
}

PathFilter::PathFilter(const Response& response, double delaySeconds, const Fft& design, const Fft& convolution)
{
    const double ticks = delaySeconds * kSampleRate;
    const double whole = std::floor(ticks);
    const double fraction = ticks - whole;
    wholeDelay_ = static_cast<int64_t>(whole);

    // The response with the fraction and the centre offset as a linear phase, on the fine grid.
    const size_t n = design.Size();
    std::vector<std::complex<double>> grid(n);
    const double shift = fraction + kCentreTicks;
    for (size_t k = 0; k <= n / 2; ++k) {
        const double hz = static_cast<double>(k) * kSampleRate / static_cast<double>(n);
        const double phase = -2.0 * std::numbers::pi * static_cast<double>(k) * shift / static_cast<double>(n);
        grid[k] = response(hz) * std::polar(1.0, phase);
    }
    grid[n / 2] = {grid[n / 2].real(), 0.0};  // a real signal's Nyquist bin is real
    grid[0] = {grid[0].real(), 0.0};
    for (size_t k = n / 2 + 1; k < n; ++k) {
        grid[k] = std::conj(grid[n - k]);
    }
    design.Transform(grid, +1);

    taps_.resize(kTaps);
    const double i0Beta = BesselI0(kKaiserBeta);
    const double half = kTaps / 2.0;
    for (int m = 0; m < kTaps; ++m) {
        const double x = (m - shift) / half;
        const double window = std::abs(x) >= 1.0 ? 0.0 : BesselI0(kKaiserBeta * std::sqrt(1.0 - x * x)) / i0Beta;
        taps_[static_cast<size_t>(m)] = grid[static_cast<size_t>(m)].real() / static_cast<double>(n) * window;
    }

    spectrum_.assign(convolution.Size(), {});
    for (int m = 0; m < kTaps; ++m) {
        spectrum_[static_cast<size_t>(m)] = taps_[static_cast<size_t>(m)];
    }
    convolution.Transform(spectrum_, -1);
    // The inverse transform's 1 / N, folded in once.
    const double scale = 1.0 / static_cast<double>(convolution.Size());
    for (std::complex<double>& bin : spectrum_) {
        bin *= scale;
    }
}

void PathFilter::AddBlock(const double* segment, std::span<double> out, const Fft& convolution,
                          std::vector<std::complex<double>>& scratch) const
{
    const size_t n = convolution.Size();
    scratch.assign(n, {});
    for (int t = 0; t < kSegment; ++t) {
        scratch[static_cast<size_t>(t)] = segment[t];
    }
    convolution.Transform(scratch, -1);
    for (size_t k = 0; k < n; ++k) {
        const std::complex<double> a = scratch[k];
        const std::complex<double> b = spectrum_[k];
        scratch[k] = {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
    }
    convolution.Transform(scratch, +1);
    // Outputs before kTaps - 1 have wrapped round the circular convolution; the rest are exact.
    for (size_t t = 0; t < out.size() && t < static_cast<size_t>(kSamplesPerBlock); ++t) {
        out[t] += scratch[kTaps - 1 + t].real();
    }
}

}  // namespace korvanta::sim
