#pragma once

#include <optional>
#include <string>

namespace korvanta::sim {

// Where the kit's sensors and its leak lie along one straight pipe of a single velocity. Red sits
// at 0 and blue at the far end; yellow and the interface unit's own sensor sit where they are put.
// The leak's noise reaches each sensor after the time it takes to travel between the two places.
struct PipeLayout {
    double lengthMetres = 200.0;
    double velocity = 1200.0;               // metres per second
    double leakMetres = 80.0;               // from red
    std::optional<double> yellowMetres;     // default: half a pipe length beyond blue
    std::optional<double> interfaceMetres;  // default: beside blue

    // Position of a unit's sensor (unit number 0..3) along the pipe.
    double PositionOf(int unit) const;
    // Travel time of the leak's noise to a unit's sensor.
    double DelayOf(int unit) const;
    // The delay the correlation engine should find for a pair: arrival at `ring1Unit` minus arrival
    // at `ring0Unit` (for red and blue: negative when the leak lies nearer red).
    double PairDelay(int ring1Unit, int ring0Unit) const { return DelayOf(ring1Unit) - DelayOf(ring0Unit); }

    // Empty when the layout is usable, else what is wrong with it.
    std::string Check() const;
};

}  // namespace korvanta::sim
