#pragma once

namespace korvanta {

// The frequency axis of the filter dialog's graphs and slider: 0..1220 Hz over 504 positions.
class FrequencyScale {
public:
    static constexpr int kPositions = 504;
    static constexpr int kLastPosition = kPositions - 1;
    static constexpr int kTopHz = 1220;
    // The single-precision value nearest 503 / 1220.
    static constexpr float kPositionsPerHz = 0.41229507f;

    // The cursor text's frequency of a position: p * 1220 / 503, rounded down.
    static int PositionToHz(int position);
    // The slider position of a frequency (truncated).
    static int SliderPosition(float hz);
    // The graph column of a band edge (rounded).
    static int EdgeColumn(float hz);
};

}  // namespace korvanta
