// Arbitrary payloads through the block decoder and the engine's whole block path.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "core/correlation/CCorrelator.h"
#include "core/correlation/DataBlockDecoder.h"
#include "core/record/MeasurementRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace korvanta;
    // The decoder alone, on exactly the bytes given (it must not read past them).
    const size_t wordCount = size / 2;
    auto words = std::make_unique<uint16_t[]>(wordCount + 1);
    for (size_t k = 0; k < wordCount; ++k) {
        words[k] = static_cast<uint16_t>(data[2 * k] << 8 | data[2 * k + 1]);
    }
    int16_t values[kDecodeCapacity] = {};
    uint16_t peak = 0;
    DecodeDataBlock(std::span<const uint16_t>(words.get(), wordCount), values, peak);

    // The same bytes as a block record through the engine (header bytes taken from the input).
    static auto record = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
    static int32_t trace[620], a[504], b[504];
    static auto engine = [] {
        auto e = std::make_unique<CCorrelator>();
        e->Init(trace, a, b, 620, 180, 504, 155);
        e->SetRecord(record.get());
        e->ResetMeasurement();
        return e;
    }();
    DataBlockRecord block;
    if (size >= 10) {
        block.unit = data[0] & 3;
        block.status = data[1];
        block.blockNumber = static_cast<uint16_t>(data[4] & 1);
        block.exponent = static_cast<int8_t>(data[6]);
        block.payloadLength = static_cast<uint16_t>(data[8] | data[9] << 8);
        std::memcpy(block.payload, data + 10, std::min<size_t>(size - 10, kPayloadBytes));
        record->range = data[2] % 4;
        engine->ProcessBlock(block);
    }
    return 0;
}
