#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "core/pipe/Material.h"
#include "core/pipe/PipeSection.h"
#include "core/values/ComplexF.h"
#include "core/values/FilterSettings.h"

namespace korvanta {

static_assert(std::endian::native == std::endian::little,
              "records are kept in memory as their little-endian file image");

inline constexpr int kAccumulatorCount = 5;

// One sum of cross-spectra, followed by space the file format keeps free.
struct AccumulatorBlock {
    ComplexF bins[kSpectrumBins];
    uint8_t reserved[3168];
};
static_assert(sizeof(AccumulatorBlock) == 11360);

// One two-station measurement: the document's state and the body of a kvd file (78588 bytes).
struct MeasurementRecord {
    char date[13];
    char time[13];
    char title[60];
    char comment[3][60];
    char userInformation[62];
    PipeSections pipe;
    FilterSettings filters;
    uint32_t pairTotal;
    uint32_t range;                       // correlation range 0, 1 or 2
    uint32_t pairCode;                    // sensor pair code
    char measuringTime[8];                // "%H:%M:%S" without its terminating zero
    ComplexF quietest[2][kSpectrumBins];  // quietest block of ring 0 and ring 1
    AccumulatorBlock accumulators[kAccumulatorCount];
    Material materials[kMaxMaterials];
};

static_assert(sizeof(MeasurementRecord) == 78588);
static_assert(offsetof(MeasurementRecord, time) == 13);
static_assert(offsetof(MeasurementRecord, title) == 26);
static_assert(offsetof(MeasurementRecord, comment) == 86);
static_assert(offsetof(MeasurementRecord, userInformation) == 266);
static_assert(offsetof(MeasurementRecord, pipe) == 328);
static_assert(offsetof(MeasurementRecord, filters) == 528);
static_assert(offsetof(MeasurementRecord, pairTotal) == 584);
static_assert(offsetof(MeasurementRecord, range) == 588);
static_assert(offsetof(MeasurementRecord, pairCode) == 592);
static_assert(offsetof(MeasurementRecord, measuringTime) == 596);
static_assert(offsetof(MeasurementRecord, quietest) == 604);
static_assert(offsetof(MeasurementRecord, quietest) + sizeof(ComplexF) * kSpectrumBins == 8796);
static_assert(offsetof(MeasurementRecord, accumulators) == 16988);
static_assert(offsetof(MeasurementRecord, materials) == 73788);

// A record with every byte zero, as a cleared document holds it.
MeasurementRecord MakeEmptyRecord();

}  // namespace korvanta
