#pragma once

#include <cstdint>

#include "core/dialogs/StationPair.h"

namespace korvanta {

// The six choices of the sensor configuration dialog, in button order: red/blue, red/yellow,
// blue/yellow, then red, blue and yellow each with the interface unit.
class SensorCombination {
public:
    static constexpr int kChoices = 6;

    // The button of a pair code; a code that is not one of the six selects the first.
    static int IndexOfPairCode(uint32_t pairCode);
    // The pair code of a button; an index outside 0..5 gives red/blue (6).
    static uint32_t PairCodeOfIndex(int index);
    // The two pictures beside a button (sensor 1, sensor 2).
    static StationPair StationsOfIndex(int index);
};

}  // namespace korvanta
