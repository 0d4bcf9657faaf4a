#pragma once

#include <cstdint>
#include <optional>

namespace korvanta {

// Unit numbers: 0 interface unit, 1 red, 2 blue, 3 yellow.
enum class StationUnit : int { Interface = 0, Red = 1, Blue = 2, Yellow = 3 };

// The two units a sensor pair code correlates: sensor 1 is the lower-numbered outstation, the
// interface unit is always sensor 2.
struct StationPair {
    StationUnit sensor1;
    StationUnit sensor2;
};

// The pair of one of the six combinations (6, 10, 12, 3, 5, 9); nullopt for any other code.
std::optional<StationPair> PairOfCode(uint32_t pairCode);

// The stations drawn at the two ends of the pipe picture (top sensor 1, bottom sensor 2); a
// code that is not one of the six shows red and blue.
StationPair PipeEndStations(uint32_t pairCode);

// Drawing colour of a unit as 0xRRGGBB: red (255,0,0), blue (0,0,255), yellow (255,204,0),
// interface unit black.
uint32_t StationColour(StationUnit unit);

}  // namespace korvanta
