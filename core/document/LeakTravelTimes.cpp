#include "core/document/LeakTravelTimes.h"

#include <cmath>

#include "core/pipe/Pipe.h"

namespace korvanta {

std::optional<LeakTravelTimes> TravelTimesToLeak(const PipeSections& pipe, double metres)
{
    const int count = GetSectionCount(pipe);
    if (count == 0 || !std::isfinite(metres) || metres < 0.0) {
        return std::nullopt;
    }
    double total = 0.0;
    double toStart = 0.0;
    double lengthBefore = 0.0;
    bool reached = false;
    for (int i = 0; i < count; ++i) {
        const PipeSection& section = pipe[static_cast<size_t>(i)];
        const double length = section.length;
        const double velocity = section.velocity;
        if (!std::isfinite(length) || length < 0.0 || !std::isfinite(velocity) || !(velocity > 0.0)) {
            return std::nullopt;
        }
        if (!reached && metres <= lengthBefore + length) {
            toStart = total + (metres - lengthBefore) / velocity;
            reached = true;
        }
        total += length / velocity;
        lengthBefore += length;
    }
    if (!reached) {
        return std::nullopt;
    }
    return LeakTravelTimes{toStart, total - toStart};
}

}  // namespace korvanta
