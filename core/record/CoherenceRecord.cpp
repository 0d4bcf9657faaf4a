#include "core/record/CoherenceRecord.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace korvanta {

namespace {

constexpr char kTag[8] = {'K', 'V', 'C', 'O', 'H', 'E', 'R', '1'};
constexpr uint16_t kFormat = 1;
constexpr size_t kHeaderBytes = 20;  // tag, format, bins, pairs, checksum
static_assert(kCoherenceRecordBytes <= sizeof(AccumulatorBlock::reserved));

uint8_t* Area(MeasurementRecord& record)
{
    return record.accumulators[0].reserved;
}

const uint8_t* Area(const MeasurementRecord& record)
{
    return record.accumulators[0].reserved;
}

void PutU16(uint8_t* at, uint16_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void PutU32(uint8_t* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint16_t GetU16(const uint8_t* at)
{
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

uint32_t GetU32(const uint8_t* at)
{
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16 |
           static_cast<uint32_t>(at[3]) << 24;
}

// FNV-1a over the pair count and the quantised values.
uint32_t Checksum(const uint8_t* area)
{
    uint32_t hash = 2166136261u;
    auto mix = [&hash](const uint8_t* from, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            hash = (hash ^ from[i]) * 16777619u;
        }
    };
    mix(area + 12, 4);
    mix(area + kHeaderBytes, 2 * kSpectrumBins);
    return hash;
}

}  // namespace

void StoreCoherence(MeasurementRecord& record, const CoherenceSpectrum& coherence)
{
    uint8_t* area = Area(record);
    std::memset(area, 0, kCoherenceRecordBytes);
    if (!coherence.IsKnown()) {
        return;
    }
    std::memcpy(area, kTag, sizeof kTag);
    PutU16(area + 8, kFormat);
    PutU16(area + 10, kSpectrumBins);
    PutU32(area + 12, coherence.pairs);
    for (int k = 0; k < kSpectrumBins; ++k) {
        const float value = coherence.values[static_cast<size_t>(k)];
        const double clamped = std::isfinite(value) ? std::clamp(static_cast<double>(value), 0.0, 1.0) : 0.0;
        PutU16(area + kHeaderBytes + 2 * k, static_cast<uint16_t>(std::lround(clamped * 65535.0)));
    }
    PutU32(area + 16, Checksum(area));
}

std::optional<CoherenceSpectrum> LoadCoherence(const MeasurementRecord& record)
{
    const uint8_t* area = Area(record);
    if (std::memcmp(area, kTag, sizeof kTag) != 0 || GetU16(area + 8) != kFormat ||
        GetU16(area + 10) != kSpectrumBins || GetU32(area + 12) == 0 || GetU32(area + 16) != Checksum(area)) {
        return std::nullopt;
    }
    CoherenceSpectrum coherence;
    coherence.pairs = GetU32(area + 12);
    for (int k = 0; k < kSpectrumBins; ++k) {
        coherence.values[static_cast<size_t>(k)] = static_cast<float>(GetU16(area + kHeaderBytes + 2 * k) / 65535.0);
    }
    return coherence;
}

}  // namespace korvanta
