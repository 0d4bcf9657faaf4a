#include "core/correlation/DataBlockDecoder.h"

#include "core/correlation/BitReader.h"

namespace korvanta {

namespace {

// Moves i past every position already significant in a higher plane.
// Returns false when i reaches the end of the output.
bool SkipSignificant(std::span<int16_t> output, size_t& i)
{
    while (i < output.size() && output[i] != 0) {
        ++i;
    }
    return i < output.size();
}

}  // namespace

uint16_t DecodeDataBlock(std::span<const uint16_t> words, std::span<int16_t> output, uint16_t& peak)
{
    BitReader reader(words);
    const unsigned width = reader.Read(4);
    const int top = static_cast<int>(reader.Read(4));
    const int planes = static_cast<int>(reader.Read(4));
    const unsigned shift = reader.Read(4);
    const uint32_t count = reader.Read(16);
    peak = static_cast<uint16_t>(reader.Read(16));

    if (count > output.size()) {
        return kDecodeCountTooLarge;
    }

    for (int level = top; level != top - planes; --level) {
        uint32_t steps = reader.Read(width);
        size_t i = 0;
        uint32_t zeros = 0;
        while (steps > 0) {
            if (!SkipSignificant(output, i)) {
                return kDecodeRanPastEnd;
            }
            if (reader.Read(1) == 0) {
                ++i;
                ++zeros;
                --steps;
            } else if (zeros <= 4) {
                // A level below 0 cannot occur in a sane stream; treat its magnitude bits as none.
                const unsigned bits = level > 0 ? static_cast<unsigned>(level) : 0u;
                const uint32_t v = reader.Read(bits) + (level >= 0 && level < 32 ? (1u << level) : 0u);
                const uint32_t magnitude = (v >> 1) << shift;
                const uint32_t value = (v & 1u) ? (0u - magnitude) : magnitude;
                output[i] = static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFFu));
                ++i;
                zeros = 0;
                --steps;
            } else {
                const unsigned k = zeros - 4;
                if (k >= 32) {
                    return kDecodeRanPastEnd;  // a run of 2^32 positions passes any output
                }
                const uint64_t r = reader.Read(k);
                const uint64_t run = r + (uint64_t{1} << k) - k - 1u;
                for (uint64_t n = 0; n < run; ++n) {
                    ++i;
                    if (!SkipSignificant(output, i)) {
                        return kDecodeRanPastEnd;
                    }
                }
                zeros = 0;
                steps = run >= steps ? 0 : steps - static_cast<uint32_t>(run);
            }
        }
    }

    if (output.size() > 0)
        output[0] = 0;
    if (output.size() > 1)
        output[1] = 0;
    return static_cast<uint16_t>(count);
}

}  // namespace korvanta
