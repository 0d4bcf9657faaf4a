#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "sim/recording/SignalFile.h"

namespace korvanta::sim {

// Reads recordings through libsndfile: every container and coding it knows (WAV of any width,
// also under the extensible header, FLAC, Ogg Vorbis, AIFF, ...), at any rate, the first of any
// number of channels, full scale +-1. Headerless little-endian 32-bit floats at a stated rate and
// channel count are read the same way. Never reads past the bytes given; samples that are not
// finite become 0 so that a damaged file cannot poison a spectrum. Anything libsndfile noted as
// odd about a file it still read (a data chunk cut short, say) comes back as the warning.
class SoundFileReader {
public:
    static constexpr uint64_t kMaxFileBytes = uint64_t{1} << 30;
    static constexpr int kMaxChannels = 64;
    static constexpr double kMaxSampleRate = 1e7;

    // False with the reason in `error` for anything that is not such a file.
    static bool Parse(std::span<const uint8_t> bytes, SignalFile& result, std::string& error);
    static bool ReadFile(const std::string& path, SignalFile& result, std::string& error);

    // Raw 32-bit floats: `sampleRate` in Hz (not necessarily whole), 1..kMaxChannels channels.
    static bool Parse(std::span<const uint8_t> bytes, double sampleRate, int channels, SignalFile& result,
                      std::string& error);
    static bool ReadFile(const std::string& path, double sampleRate, int channels, SignalFile& result,
                         std::string& error);
};

}  // namespace korvanta::sim
