#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "sim/recording/SignalFile.h"

namespace korvanta::sim {

// Reads headerless recordings of little-endian 32-bit floats at a rate the user states; of
// interleaved channels the first is taken. A trailing part of a frame is left out with a warning.
class RawFloatReader {
public:
    static constexpr int kMaxChannels = 64;
    static constexpr double kMaxSampleRate = 1e7;

    static bool Parse(std::span<const uint8_t> bytes, double sampleRate, int channels, SignalFile& result,
                      std::string& error);
    static bool ReadFile(const std::string& path, double sampleRate, int channels, SignalFile& result,
                         std::string& error);
};

}  // namespace korvanta::sim
