#include "sim/BandPassKernel.h"

#include <cmath>
#include <numbers>

namespace korvanta::sim {

namespace {

// sin(2*pi*f*u) / (pi*u): the ideal low-pass with cut-off f (cycles per sample), 2f at u = 0.
double LowPass(double f, double u)
{
    if (u == 0.0) {
        return 2.0 * f;
    }
    return std::sin(2.0 * std::numbers::pi * f * u) / (std::numbers::pi * u);
}

}  // namespace

BandPassKernel::BandPassKernel(double lowHz, double highHz, double sampleRate)
    : low_(lowHz / sampleRate), high_(highHz / sampleRate)
{
    double energy = 0.0;
    for (int t = -kHalfWidth; t <= kHalfWidth; ++t) {
        const double g = At(t);
        energy += g * g;
    }
    norm_ = energy > 0.0 ? 1.0 / std::sqrt(energy) : 0.0;
}

double BandPassKernel::At(double u) const
{
    if (std::abs(u) >= kHalfWidth) {
        return 0.0;
    }
    const double a = std::numbers::pi * u / kHalfWidth;
    const double window = 0.42 + 0.5 * std::cos(a) + 0.08 * std::cos(2.0 * a);
    return (LowPass(high_, u) - LowPass(low_, u)) * window;
}

std::vector<double> BandPassKernel::Taps(double fraction, double gain) const
{
    std::vector<double> taps(kTapCount);
    for (int t = -kHalfWidth; t <= kHalfWidth + 1; ++t) {
        taps[static_cast<size_t>(t + kHalfWidth)] = gain * norm_ * At(t - fraction);
    }
    return taps;
}

}  // namespace korvanta::sim
