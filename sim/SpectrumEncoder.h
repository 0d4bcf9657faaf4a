#pragma once

#include <array>
#include <complex>
#include <cstdint>
#include <optional>
#include <span>

#include "core/correlation/DataBlockRecord.h"
#include "sim/BlockTiming.h"
#include "sim/Fft.h"

namespace korvanta::sim {

inline constexpr int kCodedValues = 2 * kCodedBins;  // re, im of each sent bin
inline constexpr int kMaxPlanes = 15;                // a 4-bit plane number
inline constexpr uint8_t kDefaultBattery = 200;      // a fresh battery

struct EncodeOptions {
    int shift = 0;               // S: every value must be a multiple of 2^shift (0..15)
    int maxPlanes = kMaxPlanes;  // never code more planes than this, even when they would fit
};

struct EncodeResult {
    bool ok = false;      // false: bad input, the payload is left untouched
    int bytesUsed = 0;    // the coded stream rounded up to whole 16-bit words
    int planesCoded = 0;  // P; planes below T - P + 1 were dropped to fit
    int topPlane = 0;     // T
    int stepWidth = 0;    // W
};

// A block's bins scaled by 2^exponent and rounded, as (re, im) pairs; DC is 0.
struct ScaledSpectrum {
    int8_t exponent = 0;
    std::array<int16_t, kCodedValues> values{};
};

// Codes a sampled block the way an outstation does: forward FFT with the + sign, the first
// 1024 bins scaled by a power of two into int16, and the bit-plane code in its canonical form.
class SpectrumEncoder {
public:
    SpectrumEncoder();

    // Codes up to 2048 values into the payload (cleared first, padding zero). A value is coded in
    // the plane of its top magnitude bit; the lowest planes are dropped until the stream fits the
    // payload (an odd last byte is not used: the payload is read as 16-bit words). Fails on more
    // than 2048 values, a value of -32768 (its magnitude needs a 16th plane), a value that is no
    // multiple of 2^shift, a shift outside 0..15 or a payload below 6 bytes.
    static EncodeResult EncodeValues(std::span<const int16_t> values, std::span<uint8_t> payload,
                                     const EncodeOptions& options = {});

    // Chooses the largest exponent x in -128..127 for which every bin component but DC times 2^x
    // rounds (half away from zero) to at most 32767 in magnitude, and rounds them. DC is not sent,
    // so it neither counts nor is coded. An all-zero spectrum gets x = 0. Bins past 1024 are
    // ignored. Nullopt when a component is not finite.
    static std::optional<ScaledSpectrum> ScaleSpectrum(std::span<const std::complex<double>> bins);

    // Builds the data-block record of one block of 4096 samples: status 0, payload length 2800.
    // False (record untouched) when there are not 4096 samples or one is not finite.
    bool BuildRecord(std::span<const double> samples, uint8_t unit, uint16_t blockNumber, uint8_t battery,
                     DataBlockRecord& record) const;
    bool BuildRecord(std::span<const float> samples, uint8_t unit, uint16_t blockNumber, uint8_t battery,
                     DataBlockRecord& record) const;

private:
    Fft fft_;
};

}  // namespace korvanta::sim
