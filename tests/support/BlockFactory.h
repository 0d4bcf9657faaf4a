#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <span>

#include "core/correlation/DataBlockRecord.h"
#include "sim/SpectrumEncoder.h"

namespace korvanta::test {

// Builds a data block whose payload codes the given 2048 values exactly.
inline DataBlockRecord MakeBlock(uint8_t unit, uint16_t blockNumber, std::span<const int16_t> values,
                                 int8_t exponent = 0, uint8_t status = 0)
{
    DataBlockRecord block;
    block.unit = unit;
    block.status = status;
    block.blockNumber = blockNumber;
    block.exponent = exponent;
    block.payloadLength = kPayloadBytes;
    const auto result = sim::SpectrumEncoder::EncodeValues(values, block.payload);
    if (!result.ok) {
        throw std::runtime_error("values cannot be coded");
    }
    return block;
}

// A random spectrum of small values (every plane fits the payload), DC zero.
inline std::array<int16_t, 2048> RandomValues(uint32_t seed, int magnitude = 40)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> value(-magnitude, magnitude);
    std::array<int16_t, 2048> values{};
    for (size_t i = 2; i < values.size(); ++i) {
        values[i] = static_cast<int16_t>(value(rng));
    }
    return values;
}

}  // namespace korvanta::test
