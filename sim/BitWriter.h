#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace korvanta::sim {

// Writes an MSB-first bit stream into a byte buffer that the caller has cleared; the
// bytes read back as big-endian 16-bit words give the same stream.
class BitWriter {
public:
    explicit BitWriter(std::span<uint8_t> bytes) : bytes_(bytes) {}

    // Appends the low n bits of value (n <= 32), most significant first. Returns false and
    // writes nothing when they would not fit.
    bool Write(uint32_t value, unsigned n);

    size_t BitCount() const { return position_; }

private:
    std::span<uint8_t> bytes_;
    size_t position_ = 0;
};

}  // namespace korvanta::sim
