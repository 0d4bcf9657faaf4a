#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "sim/recording/SignalFile.h"

namespace korvanta::sim {

// Reads RIFF/WAVE files: PCM of 16 or 32 bits, or 32-bit IEEE float (also under the extensible
// format tag), any sample rate, any number of channels of which the first is taken. Chunks may
// come in any order; a data chunk that claims more than the file holds is read as far as whole
// frames go, with a warning. Nothing is ever read past the bytes given.
class WavReader {
public:
    static constexpr uint64_t kMaxFileBytes = uint64_t{1} << 30;

    // False with the reason in `error` for anything that is not such a file.
    static bool Parse(std::span<const uint8_t> bytes, SignalFile& result, std::string& error);
    static bool ReadFile(const std::string& path, SignalFile& result, std::string& error);
};

}  // namespace korvanta::sim
