#pragma once

#include <cstddef>
#include <cstdint>

namespace korvanta {

struct NotchFilter {
    float low = 0.0f;   // Hz
    float high = 0.0f;  // Hz; the notch is in force when > 0
};

// The 56-byte filter block of a measurement.
struct FilterSettings {
    float lowCutoff = 0.0f;   // Hz; 0 = none
    float highCutoff = 0.0f;  // Hz; 0 = none
    NotchFilter notches[5];
    uint8_t automatic = 0;  // 1 = automatic filter on
    uint8_t reserved[7] = {0, 0, 0, 0, 0, 0, 0};
};
static_assert(sizeof(FilterSettings) == 56);
static_assert(offsetof(FilterSettings, notches) == 8);
static_assert(offsetof(FilterSettings, automatic) == 48);

inline constexpr int kNotchCount = 5;

}  // namespace korvanta
