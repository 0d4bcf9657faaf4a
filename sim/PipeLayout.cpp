#include "sim/PipeLayout.h"

#include <cmath>

#include "sim/LeakNoiseGenerator.h"

namespace korvanta::sim {

double PipeLayout::PositionOf(int unit) const
{
    switch (unit) {
    case 1:
        return 0.0;
    case 2:
        return lengthMetres;
    case 3:
        return yellowMetres.value_or(1.5 * lengthMetres);
    default:
        return interfaceMetres.value_or(lengthMetres);
    }
}

double PipeLayout::DelayOf(int unit) const
{
    return std::abs(PositionOf(unit) - leakMetres) / velocity;
}

std::string PipeLayout::Check() const
{
    if (!std::isfinite(lengthMetres) || lengthMetres <= 0.0) {
        return "the pipe length must be a positive number of metres";
    }
    if (!std::isfinite(velocity) || velocity <= 0.0) {
        return "the sound velocity must be a positive number of metres per second";
    }
    if (!std::isfinite(leakMetres) || leakMetres < 0.0 || leakMetres > lengthMetres) {
        return "the leak must lie on the pipe, 0 to its length from red";
    }
    if ((yellowMetres && !std::isfinite(*yellowMetres)) || (interfaceMetres && !std::isfinite(*interfaceMetres))) {
        return "a sensor position must be a number of metres";
    }
    for (int unit = 0; unit < 4; ++unit) {
        if (DelayOf(unit) > LeakNoiseGenerator::kMaxDelaySeconds) {
            return "the leak noise may take at most " + std::to_string(LeakNoiseGenerator::kMaxDelaySeconds) +
                   " s to reach a sensor";
        }
    }
    return {};
}

}  // namespace korvanta::sim
