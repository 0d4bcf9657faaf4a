#pragma once

#include <optional>

#include "core/pipe/PipeSection.h"

namespace korvanta {

struct LeakTravelTimes {
    double toStart = 0.0;  // seconds to the sensor at the start of the first section
    double toEnd = 0.0;    // seconds to the sensor at the end of the last section
};

// How long the noise of a leak `metres` along the pipe from its start takes to reach each end,
// walking the sections with their own velocities: the inverse of the leak position. Nullopt when
// the pipe has no sections, a section has no usable length or velocity, or the leak does not lie
// on the pipe.
std::optional<LeakTravelTimes> TravelTimesToLeak(const PipeSections& pipe, double metres);

}  // namespace korvanta
