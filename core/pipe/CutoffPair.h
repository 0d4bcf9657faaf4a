#pragma once

namespace korvanta {

// A proposed band: low and high cut-off in Hz; 0 means no cut-off on that side.
struct CutoffPair {
    float low = 0.0f;
    float high = 0.0f;

    friend bool operator==(const CutoffPair&, const CutoffPair&) = default;
};

}  // namespace korvanta
