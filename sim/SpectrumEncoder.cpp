#include "sim/SpectrumEncoder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "sim/BitWriter.h"

namespace korvanta::sim {

namespace {

constexpr unsigned kHeaderBits = 4 + 4 + 4 + 4 + 16 + 16;
constexpr double kRoundLimit = 32767.5;  // below this, rounding half away from zero stays in int16

// The plane that holds a magnitude: plane L holds 2^(L-1) .. 2^L - 1.
int PlaneOf(uint32_t magnitude)
{
    return static_cast<int>(std::bit_width(magnitude));
}

// Width k of the escape for a run of j >= 5 zeros: the smallest k >= 1 with 2^(k+1) + 2 >= j.
unsigned EscapeWidth(uint32_t run)
{
    unsigned k = 1;
    while ((uint64_t{1} << (k + 1)) + 2 < run) {
        ++k;
    }
    return k;
}

uint64_t RunBits(uint32_t run)
{
    return run <= 4 ? run : 2u * EscapeWidth(run) + 5u;
}

// Calls visit(run, index) for every value that first becomes significant in `plane`, `run` being
// the positions not yet significant since the previous one in this plane, and marks it significant.
template <typename Visit>
void WalkPlane(std::span<const uint16_t> magnitudes, std::vector<uint8_t>& significant, int plane, Visit visit)
{
    uint32_t run = 0;
    for (size_t i = 0; i < magnitudes.size(); ++i) {
        if (significant[i]) {
            continue;  // coded in a higher plane: the decoder skips it without a step
        }
        if (PlaneOf(magnitudes[i]) == plane) {
            visit(run, i);
            significant[i] = 1;
            run = 0;
        } else {
            ++run;
        }
    }
}

bool WriteRun(BitWriter& writer, uint32_t run)
{
    if (run <= 4) {
        return writer.Write(0, run);
    }
    // After more than four zero bits a one bit is an escape: k + 4 zeros, a one, then k bits.
    const unsigned k = EscapeWidth(run);
    return writer.Write(0, k + 4) && writer.Write(1, 1) &&
           writer.Write(static_cast<uint32_t>(run - (uint32_t{1} << k) - 3u), k);
}

}  // namespace

SpectrumEncoder::SpectrumEncoder() : fft_(12) {}

EncodeResult SpectrumEncoder::EncodeValues(std::span<const int16_t> values, std::span<uint8_t> payload,
                                           const EncodeOptions& options)
{
    const size_t capacity = payload.size() & ~size_t{1};
    if (values.size() > static_cast<size_t>(kCodedValues) || options.shift < 0 || options.shift > 15 ||
        capacity * 8 < kHeaderBits) {
        return {};
    }
    const uint32_t shiftMask = (uint32_t{1} << options.shift) - 1u;
    std::vector<uint16_t> magnitudes(values.size());
    std::vector<uint8_t> negative(values.size());
    uint32_t largest = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        const uint32_t magnitude = static_cast<uint32_t>(std::abs(static_cast<int32_t>(values[i])));
        if (magnitude > 32767u || (magnitude & shiftMask) != 0) {
            return {};
        }
        largest = std::max(largest, magnitude);
        magnitudes[i] = static_cast<uint16_t>(magnitude >> options.shift);
        negative[i] = values[i] < 0 ? 1 : 0;
    }
    const int top = PlaneOf(largest >> options.shift);

    // First pass: each plane's step count and bits, to choose how many planes fit.
    std::vector<uint8_t> significant(values.size());
    std::vector<uint32_t> steps(static_cast<size_t>(top) + 1);
    std::vector<uint64_t> bits(static_cast<size_t>(top) + 1);
    for (int plane = top; plane >= 1; --plane) {
        WalkPlane(magnitudes, significant, plane, [&](uint32_t run, size_t) {
            steps[plane] += run + 1;  // an escape and its run use as many steps as the zeros they stand for
            bits[plane] += RunBits(run) + static_cast<uint64_t>(plane) + 1u;
        });
    }
    int planes = std::clamp(options.maxPlanes, 0, top);
    unsigned width = 1;
    for (; planes >= 0; --planes) {
        uint32_t mostSteps = 0;
        uint64_t total = kHeaderBits;
        for (int plane = top; plane > top - planes; --plane) {
            mostSteps = std::max(mostSteps, steps[plane]);
            total += bits[plane];
        }
        width = std::max(1u, static_cast<unsigned>(std::bit_width(mostSteps)));
        total += static_cast<uint64_t>(width) * static_cast<uint64_t>(planes);
        if ((total + 15) / 16 * 2 <= capacity) {
            break;
        }
    }

    std::fill(payload.begin(), payload.end(), uint8_t{0});
    BitWriter writer(payload.first(capacity));
    bool fits = writer.Write(width, 4) && writer.Write(static_cast<uint32_t>(top), 4) &&
                writer.Write(static_cast<uint32_t>(planes), 4) &&
                writer.Write(static_cast<uint32_t>(options.shift), 4) &&
                writer.Write(static_cast<uint32_t>(values.size()), 16) && writer.Write(largest, 16);
    std::fill(significant.begin(), significant.end(), uint8_t{0});
    for (int plane = top; plane > top - planes; --plane) {
        fits = fits && writer.Write(steps[plane], width);
        WalkPlane(magnitudes, significant, plane, [&](uint32_t run, size_t i) {
            const uint32_t lowBits = magnitudes[i] & ((uint32_t{1} << (plane - 1)) - 1u);
            fits = fits && WriteRun(writer, run) && writer.Write(1, 1) &&
                   writer.Write(lowBits, static_cast<unsigned>(plane - 1)) && writer.Write(negative[i], 1);
        });
    }
    if (!fits) {
        return {};  // cannot happen when the first pass counted right; never report a cut stream
    }

    EncodeResult result;
    result.ok = true;
    result.bytesUsed = static_cast<int>((writer.BitCount() + 15) / 16 * 2);
    result.planesCoded = planes;
    result.topPlane = top;
    result.stepWidth = static_cast<int>(width);
    return result;
}

std::optional<ScaledSpectrum> SpectrumEncoder::ScaleSpectrum(std::span<const std::complex<double>> bins)
{
    const size_t count = std::min(bins.size(), static_cast<size_t>(kCodedBins));
    double peak = 0.0;
    for (size_t k = 0; k < count; ++k) {
        const double re = bins[k].real();
        const double im = bins[k].imag();
        if (!std::isfinite(re) || !std::isfinite(im)) {
            return std::nullopt;
        }
        if (k > 0) {
            peak = std::max({peak, std::abs(re), std::abs(im)});
        }
    }

    ScaledSpectrum scaled;
    if (peak == 0.0) {
        return scaled;
    }
    int binaryExponent = 0;
    std::frexp(peak, &binaryExponent);
    int x = std::clamp(15 - binaryExponent, -128, 127);
    while (x > -128 && std::ldexp(peak, x) >= kRoundLimit) {
        --x;
    }
    while (x < 127 && std::ldexp(peak, x + 1) < kRoundLimit) {
        ++x;
    }
    scaled.exponent = static_cast<int8_t>(x);
    for (size_t k = 1; k < count; ++k) {
        // The clamp only acts for spectra beyond 32767 * 2^128, which no sampled block reaches.
        const double re = std::clamp(std::round(std::ldexp(bins[k].real(), x)), -32767.0, 32767.0);
        const double im = std::clamp(std::round(std::ldexp(bins[k].imag(), x)), -32767.0, 32767.0);
        scaled.values[2 * k] = static_cast<int16_t>(re);
        scaled.values[2 * k + 1] = static_cast<int16_t>(im);
    }
    return scaled;
}

bool SpectrumEncoder::BuildRecord(std::span<const double> samples, uint8_t unit, uint16_t blockNumber, uint8_t battery,
                                  DataBlockRecord& record) const
{
    std::vector<std::complex<double>> bins(kCodedBins);
    if (samples.size() != static_cast<size_t>(kSamplesPerBlock) || !fft_.TransformReal(samples, bins)) {
        return false;
    }
    const std::optional<ScaledSpectrum> scaled = ScaleSpectrum(bins);
    if (!scaled) {
        return false;
    }
    DataBlockRecord built;
    built.unit = unit;
    built.status = 0;
    built.battery = battery;
    built.blockNumber = blockNumber;
    built.exponent = scaled->exponent;
    built.payloadLength = kPayloadBytes;
    if (!EncodeValues(scaled->values, built.payload).ok) {
        return false;
    }
    record = built;
    return true;
}

bool SpectrumEncoder::BuildRecord(std::span<const float> samples, uint8_t unit, uint16_t blockNumber, uint8_t battery,
                                  DataBlockRecord& record) const
{
    const std::vector<double> widened(samples.begin(), samples.end());
    return BuildRecord(std::span<const double>(widened), unit, blockNumber, battery, record);
}

}  // namespace korvanta::sim
