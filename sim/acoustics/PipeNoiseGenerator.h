#pragma once

#include <complex>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim/BlockClock.h"
#include "sim/BlockSource.h"
#include "sim/Fft.h"
#include "sim/acoustics/AcousticScene.h"
#include "sim/acoustics/NoiseStream.h"
#include "sim/acoustics/PathFilter.h"

namespace korvanta::sim {

// What the sensors of a pipe hear, block after block. For every station i:
//
//   X_i(f) = sum over leaks, pipe noises and their paths of  L(f) * H_path(f) * S_i(f)
//            + T(f) * S_i(f) + B_i(f) * S_i(f) + hum_i + N_i
//
// with L a source's band, H_path what the pipe does to it on the way (e^{-i sum k d}, a
// reflector's path included), S_i the sensor's response scaled so that a 0 dB leak heard right at
// it has kReferenceRms, T the traffic (partly common to all sensors, partly each one's own), B_i
// the station's own background, hum_i the mains harmonics and N_i the sensor's own white noise;
// everything the sensor hears arrives its station's timing offset late. Each term is a streaming filter on its own
// source of white noise, so blocks join seamlessly and delays cross block borders. Deterministic for a seed and a call
// sequence; a station's own noise and hum depend on its unit, not on the other stations.
class PipeNoiseGenerator final : public BlockSource {
public:
    static constexpr double kReferenceRms = 1000.0;  // converter units

    // `units` are unit numbers 0..3 in station order (at most four, no repeats). Null, with the
    // reason in `error` when given, when the scene or the units cannot be modelled.
    static std::unique_ptr<PipeNoiseGenerator> Create(const AcousticScene& scene, const std::vector<uint8_t>& units,
                                                      std::string* error = nullptr);

    SampledBlock NextBlock() override;
    void Restart(double gapSeconds) override;
    int NextBlockNumber() const override { return clock_.NextBlockNumber(); }

    // The gain that scales unit's sensor response to kReferenceRms for a 0 dB leak right at it.
    double SensorGain(size_t station) const { return stations_[station].gain; }

private:
    struct Path {
        size_t source = 0;  // index into sources_
        PathFilter filter;
    };
    struct Tone {
        double hz = 0.0;
        double amplitude = 0.0;
        double phase = 0.0;  // in cycles
    };
    struct Station {
        double gain = 1.0;
        std::vector<Path> paths;
        std::vector<Tone> hum;
        double noiseSigma = 0.0;
        GaussianNoise noise{0};
    };

    PipeNoiseGenerator(const AcousticScene& scene, const std::vector<uint8_t>& units);

    // The rms of a sensor's own white noise in converter units.
    static double SelfNoiseSigma(const AcousticScene& scene, const SensorModel& sensor, double gain);

    Fft design_;
    Fft convolution_;
    std::vector<NoiseStream> sources_;  // leaks, traffic, pipe noises, then each station's own
    std::vector<Station> stations_;
    std::vector<std::complex<double>> scratch_;
    BlockClock clock_;
};

}  // namespace korvanta::sim
