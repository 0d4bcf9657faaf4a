#pragma once

#include <string>

namespace korvanta {

// The four filter fields beside the graph.
struct FilterSummary {
    std::string low;  // "AUTO", "Høj", "Åben" or the cut-off in Hz
    std::string high;
    std::string automatic;  // "ON" / "OFF"
    std::string notch;      // "ON" when any notch is in force

    friend bool operator==(const FilterSummary&, const FilterSummary&) = default;
};

FilterSummary SummariseFilters(float lowCutoff, float highCutoff, bool automatic, int notchCount);

}  // namespace korvanta
