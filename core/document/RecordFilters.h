#pragma once

#include "core/values/FilterSettings.h"

namespace korvanta {

// What the views ask of a record's filter block: the cut-offs, the automatic flag and the notch
// filters in force.
class RecordFilters {
public:
    explicit RecordFilters(const FilterSettings& filters) : filters_(filters) {}

    float LowCutoff() const { return filters_.lowCutoff; }
    float HighCutoff() const { return filters_.highCutoff; }
    bool Automatic() const { return filters_.automatic == 1; }
    // 0 for `k` outside 0..4.
    float NotchLow(int k) const;
    float NotchHigh(int k) const;
    // Notches with a high edge above 0.
    int NotchCount() const;

private:
    const FilterSettings& filters_;
};

}  // namespace korvanta
