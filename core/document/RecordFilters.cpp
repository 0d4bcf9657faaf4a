#include "core/document/RecordFilters.h"

#include <algorithm>
#include <iterator>

namespace korvanta {

float RecordFilters::NotchLow(int k) const
{
    return k >= 0 && k < kNotchCount ? filters_.notches[k].low : 0.0f;
}

float RecordFilters::NotchHigh(int k) const
{
    return k >= 0 && k < kNotchCount ? filters_.notches[k].high : 0.0f;
}

int RecordFilters::NotchCount() const
{
    return static_cast<int>(std::count_if(std::begin(filters_.notches), std::end(filters_.notches),
                                          [](const NotchFilter& notch) { return notch.high > 0.0f; }));
}

}  // namespace korvanta
