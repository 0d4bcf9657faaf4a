#pragma once

#include "core/pipe/PipeSection.h"

namespace korvanta {

struct LeakPosition {
    float fromStart = 0.0f;  // metres from the first section's sensor
    float fromEnd = 0.0f;    // metres from the last section's sensor
};

// True when the delay lies outside the pipe: its magnitude reaches the travel time.
bool IsLeakOutsidePipe(const PipeSections& pipe, float delay);

// Turns a correlation delay (arrival at the end sensor minus arrival at the start sensor) into
// the leak's distances from both ends, walking the sections with their own velocities.
// A section without a usable velocity adds no travel time, so the result stays finite.
LeakPosition ComputeLeakPosition(const PipeSections& pipe, float delay);

}  // namespace korvanta
