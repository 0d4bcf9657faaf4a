#include "sim/acoustics/SourceBand.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvanta::sim {

double SourceBand::EdgeWidth(double edgeHz)
{
    return std::max(1.0, 0.2 * edgeHz);
}

double SourceBand::Gain(double hz) const
{
    const double f = std::abs(hz);
    if (f == 0.0) {
        return 0.0;
    }
    if (f >= lowHz && f <= highHz) {
        return 1.0;
    }
    // Distance past the nearer edge, as a share of that edge's width.
    const double past = f < lowHz ? (lowHz - f) / EdgeWidth(lowHz) : (f - highHz) / EdgeWidth(highHz);
    if (past >= 1.0) {
        return 0.0;
    }
    const double c = std::cos(0.5 * std::numbers::pi * past);
    return c * c;
}

}  // namespace korvanta::sim
