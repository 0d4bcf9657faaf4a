#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvanta {

// The part of a measurement record a regression point keeps: date, time, title, comments and
// user information.
inline constexpr size_t kPointHeaderBytes = 326;
inline constexpr size_t kPointNameBytes = 256;
// One point as stored in a regression file.
inline constexpr size_t kRegressionPointBytes = 593;

// One measurement of the regression: its delay and the pipe length between the sensors.
struct RegressionPoint {
    float delay = 0.0f;   // s
    float length = 0.0f;  // m, the sum of the sections in use
    uint8_t included = 1;
    uint8_t range = 0;  // the measurement's correlation range
    std::array<uint8_t, kPointHeaderBytes> header{};
    std::array<char, kPointNameBytes> name{};  // file name without folder and extension, zero-terminated
    uint8_t reserved = 0;
};

// The pipe the data set was started with: the first section in use of its first measurement
// (15 bytes on disk).
struct ReferenceSection {
    int16_t materialIndex = 0;
    float length = 0.0f;
    float diameter = 0.0f;
    float velocity = 0.0f;
    uint8_t inUse = 0;
};
inline constexpr size_t kReferenceSectionBytes = 15;

}  // namespace korvanta
