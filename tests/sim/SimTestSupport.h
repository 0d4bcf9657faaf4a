#pragma once

#include <cmath>
#include <complex>
#include <cstdint>
#include <span>
#include <vector>

#include "core/correlation/DataBlockDecoder.h"
#include "core/correlation/DataBlockRecord.h"

namespace korvanta::sim::test {

struct Decoded {
    uint16_t result = 0;
    uint16_t peak = 0;
    std::vector<int16_t> values = std::vector<int16_t>(kDecodeCapacity);
};

// Decodes a payload as the program does: big-endian words in a cleared 1420-word buffer.
inline Decoded DecodePayload(std::span<const uint8_t> payload)
{
    std::vector<uint16_t> words(kPayloadWords);
    for (size_t k = 0; k < payload.size() / 2 && k < words.size(); ++k) {
        words[k] = static_cast<uint16_t>(payload[2 * k] << 8 | payload[2 * k + 1]);
    }
    Decoded decoded;
    decoded.result = DecodeDataBlock(words, decoded.values, decoded.peak);
    return decoded;
}

// The record's 1024 bins as the program scales them (times 2^-exponent).
inline std::vector<std::complex<double>> DecodedBins(const DataBlockRecord& record)
{
    const Decoded decoded = DecodePayload(std::span<const uint8_t>(record.payload, record.payloadLength));
    std::vector<std::complex<double>> bins(1024);
    for (size_t k = 0; k < bins.size(); ++k) {
        bins[k] = {std::ldexp(static_cast<double>(decoded.values[2 * k]), -record.exponent),
                   std::ldexp(static_cast<double>(decoded.values[2 * k + 1]), -record.exponent)};
    }
    return bins;
}

}  // namespace korvanta::sim::test
