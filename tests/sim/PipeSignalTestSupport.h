#pragma once

// Signals of the modelled pipe for tests: an iron pipe with quiet hydrophones, blocks recorded
// end to end, and the cross-spectral measures that compare two stations.
#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "sim/BlockTiming.h"
#include "sim/Fft.h"
#include "sim/acoustics/PipeMaterials.h"
#include <gtest/gtest.h>

#include "sim/acoustics/PipeNoiseGenerator.h"

namespace korvanta::sim::pipetest {

inline constexpr double kPi = std::numbers::pi;
inline constexpr double kSilent = -150.0;  // dB: a sensor noise too small to matter
inline constexpr size_t kN = kSamplesPerBlock;
using Signals = std::vector<std::vector<double>>;  // per station, blocks end to end

inline AcousticScene IronPipe(double lengthMetres, double soilDb)
{
    const PipeMaterial iron = *FindPipeMaterial("ductile-iron");
    AcousticSection s;
    s.lengthMetres = lengthMetres;
    s.innerDiameterMm = 106.0;
    s.wallMm = 6.0;
    s.youngsModulusGPa = iron.youngsModulusGPa;
    s.lossFactor = iron.lossFactor;
    s.soilLossDbPerMetreAt100Hz = soilDb;
    AcousticScene scene;
    scene.pipe = AcousticPipe({s}, Water{});
    for (SensorModel& sensor : scene.sensors) {
        sensor.type = SensorType::Hydrophone;
        sensor.resonanceHz = 1e5;  // flat over the band
        sensor.noiseDb = kSilent;
    }
    scene.sensors[1].positionMetres = 0.0;
    scene.sensors[2].positionMetres = lengthMetres;
    scene.leaks = {LeakSource{}};
    return scene;
}

inline Signals Record(const AcousticScene& scene, const std::vector<uint8_t>& units, int blocks)
{
    std::string error;
    auto generator = PipeNoiseGenerator::Create(scene, units, &error);
    EXPECT_TRUE(generator) << error;
    Signals out(units.size());
    for (int b = 0; generator && b < blocks; ++b) {
        const SampledBlock block = generator->NextBlock();
        for (size_t s = 0; s < units.size(); ++s) {
            out[s].insert(out[s].end(), block.samples[s].begin(), block.samples[s].end());
        }
    }
    return out;
}

inline double Rms(const std::vector<double>& x)
{
    double sum = 0.0;
    for (const double v : x) {
        sum += v * v;
    }
    return std::sqrt(sum / static_cast<double>(x.size()));
}

// Hann-windowed spectrum of x[start .. start + kN) (forward transform, e^{-i...}).
inline std::vector<std::complex<double>> Spectrum(const std::vector<double>& x, size_t start)
{
    static const Fft fft(12);
    std::vector<std::complex<double>> bins(kN);
    for (size_t n = 0; n < kN; ++n) {
        const double window = 0.5 - 0.5 * std::cos(2.0 * kPi * static_cast<double>(n) / kN);
        bins[n] = x[start + n] * window;
    }
    fft.Transform(bins, -1);
    return bins;
}

struct Comparison {
    std::vector<std::complex<double>> cross;  // sum of conj(A) B
    std::vector<double> powerA;
    std::vector<double> powerB;
};

// B read `shift` ticks later than A, segment by segment.
inline Comparison Compare(const std::vector<double>& a, const std::vector<double>& b, size_t shift)
{
    Comparison c{std::vector<std::complex<double>>(kN), std::vector<double>(kN), std::vector<double>(kN)};
    for (size_t start = 0; start + shift + kN <= b.size(); start += kN / 2) {
        const auto sa = Spectrum(a, start);
        const auto sb = Spectrum(b, start + shift);
        for (size_t k = 0; k < kN; ++k) {
            c.cross[k] += std::conj(sa[k]) * sb[k];
            c.powerA[k] += std::norm(sa[k]);
            c.powerB[k] += std::norm(sb[k]);
        }
    }
    return c;
}

// The delay of B after A in ticks over bins lo..hi, from the cross-spectrum's phase slope.
inline double DelayTicks(const Comparison& c, size_t lo, size_t hi)
{
    std::complex<double> step = 0.0;
    for (size_t k = lo; k < hi; ++k) {
        step += c.cross[k + 1] * std::conj(c.cross[k]);
    }
    return -std::arg(step) * static_cast<double>(kN) / (2.0 * kPi);
}

inline size_t Bin(double hz)
{
    return static_cast<size_t>(std::lround(hz * kN / kSampleRate));
}

// B's level over A's in dB around `hz`.
inline double LevelDifferenceDb(const Comparison& c, double hz)
{
    double a = 0.0;
    double b = 0.0;
    for (size_t k = Bin(hz) - 8; k <= Bin(hz) + 8; ++k) {
        a += c.powerA[k];
        b += c.powerB[k];
    }
    return 10.0 * std::log10(b / a);
}

}  // namespace korvanta::sim::pipetest
