#pragma once

#include <cstddef>
#include <cstdint>

namespace korvanta {

inline constexpr int kPayloadBytes = 2800;

// One received data block as the link layer stores it (2810 bytes, little-endian).
struct DataBlockRecord {
    uint8_t unit = 0;     // 0 interface unit, 1 red, 2 blue, 3 yellow
    uint8_t status = 0;   // 2..5 mark a block without usable spectrum
    uint8_t battery = 0;  // raw battery value
    uint8_t pad0 = 0;
    uint16_t blockNumber = 0;  // 0 for the first block after a start of sampling
    int8_t exponent = 0;       // every decoded value is scaled by 2^-exponent
    uint8_t pad1 = 0;
    uint16_t payloadLength = 0;  // bytes of coded spectrum
    uint8_t payload[kPayloadBytes] = {};
};
static_assert(sizeof(DataBlockRecord) == 2810);
static_assert(offsetof(DataBlockRecord, blockNumber) == 4);
static_assert(offsetof(DataBlockRecord, exponent) == 6);
static_assert(offsetof(DataBlockRecord, payloadLength) == 8);
static_assert(offsetof(DataBlockRecord, payload) == 10);

}  // namespace korvanta
