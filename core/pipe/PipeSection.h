#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvanta {

// One stretch of pipe between the two sensors, as stored in a measurement (20 bytes, little-endian).
struct PipeSection {
    int16_t materialIndex = 0;  // index into the material database
    uint16_t materialHigh = 0;  // upper half of the 4-byte material field; written as 0
    float length = 0.0f;        // metres
    float diameter = 0.0f;      // millimetres (inner)
    float velocity = 0.0f;      // metres per second
    uint8_t inUse = 0;          // 1 = the section exists; any other value = absent
    uint8_t reserved[3] = {0, 0, 0};
};
static_assert(sizeof(PipeSection) == 20);
static_assert(offsetof(PipeSection, length) == 4);
static_assert(offsetof(PipeSection, diameter) == 8);
static_assert(offsetof(PipeSection, velocity) == 12);
static_assert(offsetof(PipeSection, inUse) == 16);

inline constexpr int kMaxPipeSections = 10;
using PipeSections = std::array<PipeSection, kMaxPipeSections>;
static_assert(sizeof(PipeSections) == 200);

}  // namespace korvanta
