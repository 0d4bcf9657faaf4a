#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace korvanta {

// Truncation toward zero into an integer type, saturating at its limits, NaN giving 0. A garbled
// block (a wild exponent) can make sums infinite; a plain cast of such a value is undefined.
template <typename Int>
Int SaturatingTrunc(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    if (value <= static_cast<double>(std::numeric_limits<Int>::min())) {
        return std::numeric_limits<Int>::min();
    }
    if (value >= static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::numeric_limits<Int>::max();
    }
    return static_cast<Int>(value);
}

}  // namespace korvanta
