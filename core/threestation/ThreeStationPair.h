#pragma once

#include <array>
#include <cstdint>

namespace korvanta {

// The sensor pairs of the three-station mode in their fixed order.
inline constexpr int kThreeStationPairs = 3;
inline constexpr int kPairRedBlue = 0;
inline constexpr int kPairBlueYellow = 1;
inline constexpr int kPairRedYellow = 2;
inline constexpr std::array<int32_t, kThreeStationPairs> kThreeStationPairCodes = {6, 12, 10};

// One sensor pair of a three-station result: the delay the pair's correlation found (arrival at
// its first sensor minus arrival at its second), the distance between its sensors and the ratio
// of the two.
struct ThreeStationPair {
    int32_t index = 0;      // 0 red/blue, 1 blue/yellow, 2 red/yellow
    float delay = 0.0f;     // s
    float distance = 0.0f;  // m
    int32_t range = 0;      // correlation range 0, 1, 2
    float ratio = 0.0f;     // delay / distance, s/m

    friend bool operator==(const ThreeStationPair&, const ThreeStationPair&) = default;
};

// Where the leak lies on one pair: metres from the pair's first and from its second sensor.
struct PairDistances {
    float fromFirst = 0.0f;
    float fromSecond = 0.0f;

    friend bool operator==(const PairDistances&, const PairDistances&) = default;
};

}  // namespace korvanta
