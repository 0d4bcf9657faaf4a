#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace korvanta {

// Reads an MSB-first bit stream over 16-bit words; bits past the last word read as zero.
class BitReader {
public:
    explicit BitReader(std::span<const uint16_t> words) : words_(words) {}

    // Returns the next n bits (0..16), the first read being the most significant.
    uint32_t Read(unsigned n)
    {
        uint32_t value = 0;
        for (unsigned b = 0; b < n; ++b) {
            value = (value << 1) | NextBit();
        }
        return value;
    }

private:
    uint32_t NextBit()
    {
        const size_t word = position_ >> 4;
        const unsigned bit = 15u - static_cast<unsigned>(position_ & 15u);
        if (word >= words_.size()) {
            return 0;  // stay at the end: a stream that runs past the payload reads zeros
        }
        ++position_;
        return (words_[word] >> bit) & 1u;
    }

    std::span<const uint16_t> words_;
    size_t position_ = 0;
};

}  // namespace korvanta
