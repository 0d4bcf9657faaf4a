#pragma once

#include <cstdint>
#include <span>

namespace korvanta {

inline constexpr uint16_t kDecodeCountTooLarge = 0xFFFF;  // value count above the output's capacity
inline constexpr uint16_t kDecodeRanPastEnd = 1;          // a coding step ran past the output array
inline constexpr int kDecodeCapacity = 2048;              // values of a full block (1024 complex bins)
inline constexpr int kPayloadWords = 1420;                // word buffer the engine decodes from

// Decodes the bit-plane code of one block's spectrum from big-endian payload words.
// The output must be zero on entry; its size is the capacity. Bits past the end of `words`
// read as zero. Returns the value count E, kDecodeCountTooLarge or kDecodeRanPastEnd;
// `peak` receives the header's largest magnitude.
uint16_t DecodeDataBlock(std::span<const uint16_t> words, std::span<int16_t> output, uint16_t& peak);

}  // namespace korvanta
