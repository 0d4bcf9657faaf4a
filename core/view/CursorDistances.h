#pragma once

#include <string>

#include "core/pipe/PipeSection.h"
#include "core/values/UnitSystem.h"
#include "core/view/CorrelationCursor.h"

namespace korvanta {

// What the distance texts and the position slider show for the cursor.
struct CursorDistances {
    std::string sensor1;  // distance from sensor 1, "%.1f m" / "%.1f ft"
    std::string sensor2;
    int sliderPosition = 0;  // 0..layout width
    // The cursor's delay lies beyond one of the sensors: both texts say so and the slider
    // stands at the nearer end.
    bool outsidePipe = false;
};

// The distances of the cursor from both sensors. Without sections both texts are empty. On a
// limit of the pipe's window the cursor stands at a sensor. Between the limits the delay is
// walked along the sections. Beyond a limit, or with a delay that reaches the pipe's travel time
// (the limits are the whole graph while zoomed), the position lies outside the pipe and reads as
// such, never as a distance at or past a sensor.
CursorDistances DescribeCursorDistances(const PipeSections& pipe, const CorrelationCursor& cursor, UnitSystem units,
                                        int layoutWidth);

}  // namespace korvanta
