#include "sim/BitWriter.h"

namespace korvanta::sim {

bool BitWriter::Write(uint32_t value, unsigned n)
{
    if (n > 32 || position_ + n > bytes_.size() * 8) {
        return false;
    }
    for (unsigned b = n; b-- > 0;) {
        if ((value >> b) & 1u) {
            bytes_[position_ >> 3] |= static_cast<uint8_t>(0x80u >> (position_ & 7u));
        }
        ++position_;
    }
    return true;
}

}  // namespace korvanta::sim
