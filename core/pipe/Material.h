#pragma once

#include <cstddef>
#include <cstdint>

namespace korvanta {

inline constexpr int kMaxMaterials = 20;
inline constexpr int kMaxVelocityEntries = 20;
inline constexpr int kFilterClasses = 3;

// One pipe material of the database (240 bytes, little-endian).
struct Material {
    char name[52] = {};                          // zero-terminated, Windows-1252
    float diameters[kMaxVelocityEntries] = {};   // mm, ascending; empty entry = 0
    float velocities[kMaxVelocityEntries] = {};  // m/s, entry k belongs to diameter k
    float lowCutoffs[kFilterClasses] = {};       // Hz per travel-time class
    float highCutoffs[kFilterClasses] = {};      // Hz per travel-time class
    uint8_t inUse = 0;                           // 1 = the material exists
    uint8_t reserved[3] = {0, 0, 0};
};
static_assert(sizeof(Material) == 240);
static_assert(offsetof(Material, diameters) == 52);
static_assert(offsetof(Material, velocities) == 132);
static_assert(offsetof(Material, lowCutoffs) == 212);
static_assert(offsetof(Material, highCutoffs) == 224);
static_assert(offsetof(Material, inUse) == 236);

}  // namespace korvanta
