#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvanta::fuzz {

// The file a reader is given for one fuzzer input (not empty). First byte odd: the rest is the
// whole file. Even: the rest overwrites `good` from (first byte / 2) * `step` on, so that the
// fuzzer also reaches the fields behind a valid header.
inline std::vector<uint8_t> FuzzedFile(const uint8_t* input, size_t inputSize, const std::vector<uint8_t>& good,
                                       size_t step)
{
    std::vector<uint8_t> bytes(input + 1, input + inputSize);
    if ((input[0] & 1) != 0) {
        return bytes;
    }
    std::vector<uint8_t> patched = good;
    const size_t at = std::min<size_t>((input[0] >> 1) * step, patched.size());
    std::copy(bytes.begin(), bytes.begin() + std::min(bytes.size(), patched.size() - at), patched.begin() + at);
    return patched;
}

}  // namespace korvanta::fuzz
