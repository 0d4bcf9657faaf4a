#include "sim/acoustics/PipeNoiseGenerator.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "sim/BlockTiming.h"
#include "sim/LeakNoiseGenerator.h"
#include "sim/acoustics/SoundPaths.h"

namespace korvanta::sim {

namespace {

// Independent noise streams of one seed.
constexpr uint64_t kLeakStream = 0x100;
constexpr uint64_t kTrafficStream = 0x200;
constexpr uint64_t kSensorNoiseStream = 0x300;
constexpr uint64_t kHumPhaseStream = 0x400;
constexpr uint64_t kPipeNoiseStream = 0x500;
constexpr uint64_t kOwnTrafficStream = 0x600;
constexpr uint64_t kBackgroundStream = 0x700;

constexpr size_t kDesignSize = size_t{1} << PathFilter::kDesignLog2;

double Decibels(double db)
{
    return std::pow(10.0, db / 20.0);
}

// Frequency of bin k of the design grid, negative frequencies folded onto positive ones.
double GridHz(size_t k)
{
    const size_t folded = k <= kDesignSize / 2 ? k : kDesignSize - k;
    return static_cast<double>(folded) * kSampleRate / static_cast<double>(kDesignSize);
}

// The rms of unit-variance white noise through `response`: by Parseval, the mean of |H|^2 over
// the whole frequency grid.
template <typename Response>
double RmsThrough(const Response& response)
{
    double sum = 0.0;
    for (size_t k = 0; k < kDesignSize; ++k) {
        sum += std::norm(response(GridHz(k)));
    }
    return std::sqrt(sum / static_cast<double>(kDesignSize));
}

// Scales a band so that white noise through it has an rms of 1.
double BandNorm(const SourceBand& band)
{
    const double rms = RmsThrough([&band](double hz) { return band.Gain(hz); });
    return rms > 0.0 ? 1.0 / rms : 0.0;
}

std::string CheckUnits(const std::vector<uint8_t>& units)
{
    if (units.empty() || units.size() > static_cast<size_t>(kSceneUnits)) {
        return "1 to 4 units can sample";
    }
    for (size_t i = 0; i < units.size(); ++i) {
        if (units[i] >= kSceneUnits || std::count(units.begin(), units.end(), units[i]) != 1) {
            return "the sampling units must be different unit numbers 0..3";
        }
    }
    return {};
}

}  // namespace

std::unique_ptr<PipeNoiseGenerator> PipeNoiseGenerator::Create(const AcousticScene& scene,
                                                               const std::vector<uint8_t>& units, std::string* error)
{
    std::string fault = scene.Check();
    if (fault.empty()) {
        fault = CheckUnits(units);
    }
    if (!fault.empty()) {
        if (error != nullptr) {
            *error = fault;
        }
        return nullptr;
    }
    return std::unique_ptr<PipeNoiseGenerator>(new PipeNoiseGenerator(scene, units));
}

PipeNoiseGenerator::PipeNoiseGenerator(const AcousticScene& scene, const std::vector<uint8_t>& units)
    : design_(PathFilter::kDesignLog2), convolution_(PathFilter::kConvolutionLog2)
{
    for (size_t j = 0; j < scene.leaks.size(); ++j) {
        sources_.emplace_back(scene.seed, kLeakStream + j);
    }
    const size_t trafficSource = sources_.size();
    if (scene.traffic.on) {
        sources_.emplace_back(scene.seed, kTrafficStream);
    }
    const size_t firstPipeNoise = sources_.size();
    for (size_t j = 0; j < scene.pipeNoises.size(); ++j) {
        sources_.emplace_back(scene.seed, kPipeNoiseStream + j);
        sources_.back().SetGating(scene.pipeNoises[j].gating);
    }
    // Stations whose clocks run early are brought to 0 by delaying every station alike.
    double earliest = 0.0;
    for (const uint8_t unit : units) {
        earliest = std::min(earliest, scene.sensors[unit].timingOffsetSeconds);
    }

    const SourceBand& reference = scene.leaks.front().band;
    const double referenceNorm = BandNorm(reference);
    for (const uint8_t unit : units) {
        const SensorModel& sensor = scene.sensors[unit];
        const double offset = sensor.timingOffsetSeconds - earliest;
        Station station;
        const double heardAtLeak =
            RmsThrough([&](double hz) { return referenceNorm * reference.Gain(hz) * sensor.Response(hz); });
        station.gain = heardAtLeak > 0.0 ? kReferenceRms / heardAtLeak : 0.0;
        const double gain = station.gain;

        // A source on the pipe: every way its sound reaches the sensor.
        const auto addPipeSource = [&](size_t source, double position, double levelDb, const SourceBand& band) {
            const double level = Decibels(levelDb) * BandNorm(band);
            for (const SoundPath& path : PathsBetween(scene.pipe, scene.reflectors, position, sensor.positionMetres)) {
                const PathFilter::Response response = [&](double hz) {
                    return level * band.Gain(hz) * path.Response(scene.pipe, hz) * gain * sensor.Response(hz);
                };
                station.paths.push_back(
                    {source, PathFilter(response, path.delaySeconds + offset, design_, convolution_)});
            }
        };
        for (size_t j = 0; j < scene.leaks.size(); ++j) {
            addPipeSource(j, scene.leaks[j].positionMetres, scene.leaks[j].levelDb, scene.leaks[j].band);
        }
        for (size_t j = 0; j < scene.pipeNoises.size(); ++j) {
            const PipeNoise& noise = scene.pipeNoises[j];
            addPipeSource(firstPipeNoise + j, noise.positionMetres, noise.levelDb, noise.band);
        }
        if (scene.traffic.on) {
            const TrafficDisturbance& traffic = scene.traffic;
            const double level = Decibels(traffic.levelDb) * BandNorm(traffic.band);
            const double road = traffic.positionMetres.value_or(
                (scene.sensors[1].positionMetres + scene.sensors[2].positionMetres) / 2.0);
            const double shared = traffic.CoherentShare(sensor.positionMetres, road);
            const auto addTraffic = [&](size_t source, double share) {
                const PathFilter::Response response = [&](double hz) {
                    return std::sqrt(share) * level * traffic.band.Gain(hz) * gain * sensor.Response(hz);
                };
                station.paths.push_back({source, PathFilter(response, offset, design_, convolution_)});
            };
            addTraffic(trafficSource, shared);
            if (shared < 1.0) {
                sources_.emplace_back(scene.seed, kOwnTrafficStream + unit);
                addTraffic(sources_.size() - 1, 1.0 - shared);
            }
        }
        if (scene.background.on) {
            const BackgroundNoise& background = scene.background;
            const double shapeRms = RmsThrough([&background](double hz) { return background.Shape(hz); });
            const double level = shapeRms > 0.0 ? Decibels(background.levelDb) / shapeRms : 0.0;
            sources_.emplace_back(scene.seed, kBackgroundStream + unit);
            sources_.back().SetGating(background.gating);
            const PathFilter::Response response = [&](double hz) {
                return level * background.Shape(hz) * gain * sensor.Response(hz);
            };
            station.paths.push_back({sources_.size() - 1, PathFilter(response, offset, design_, convolution_)});
        }
        if (scene.hum.on) {
            GaussianNoise phases(scene.seed, kHumPhaseStream + unit);
            for (size_t h = 0; h < scene.hum.harmonicsDb.size(); ++h) {
                const double hz = static_cast<double>(h + 1) * scene.hum.frequencyHz;
                const double phase = phases.NextUniform();
                if (hz < kSampleRate / 2.0) {
                    const double rms = kReferenceRms * Decibels(scene.hum.levelDb + scene.hum.harmonicsDb[h]);
                    station.hum.push_back({hz, rms * std::numbers::sqrt2, phase});
                }
            }
        }
        station.noiseSigma = SelfNoiseSigma(scene, sensor, gain);
        station.noise = GaussianNoise(scene.seed, kSensorNoiseStream + unit);
        stations_.push_back(std::move(station));
    }
}

double PipeNoiseGenerator::SelfNoiseSigma(const AcousticScene& scene, const SensorModel& sensor, double gain)
{
    if (!sensor.selfNoisePerRootHz) {
        return kReferenceRms * Decibels(sensor.noiseDb);
    }
    // Converter units per physical unit: the 0 dB leak is referencePressurePa at the leak, which
    // the model carries as 1. An accelerometer feels the wall's radial acceleration, omega^2 a^2 /
    // (E h) per pascal for a ring below its resonance; the model's (i f / 1 kHz)^2 leaves
    // (2 pi 1 kHz)^2 a^2 / (E h) of it.
    double physicalPerModel = scene.referencePressurePa;
    if (sensor.type == SensorType::Accelerometer) {
        const AcousticSection& section = scene.pipe.SectionAt(sensor.positionMetres);
        const double a = section.innerDiameterMm / 2000.0;
        const double ring = a * a / (section.youngsModulusGPa * 1e9 * section.wallMm / 1000.0);
        physicalPerModel *= std::pow(2.0 * std::numbers::pi * 1000.0, 2.0) * ring;
    }
    return *sensor.selfNoisePerRootHz * std::sqrt(kSampleRate / 2.0) * gain / physicalPerModel;
}

SampledBlock PipeNoiseGenerator::NextBlock()
{
    const int64_t start = clock_.NextSample();
    for (size_t s = 0; s < sources_.size(); ++s) {
        int64_t first = std::numeric_limits<int64_t>::max();
        int64_t last = std::numeric_limits<int64_t>::min();
        for (const Station& station : stations_) {
            for (const Path& path : station.paths) {
                if (path.source == s) {
                    first = std::min(first, start - path.filter.WholeDelay() - (PathFilter::kTaps - 1));
                    last = std::max(last, start + kSamplesPerBlock - 1 - path.filter.WholeDelay());
                }
            }
        }
        if (first <= last) {
            sources_[s].Ensure(first, last);
        }
    }

    SampledBlock block;
    block.blockNumber = clock_.NextBlockNumber();
    block.firstSample = start;
    block.samples.resize(stations_.size());
    for (size_t i = 0; i < stations_.size(); ++i) {
        Station& station = stations_[i];
        std::vector<double>& out = block.samples[i];
        out.assign(kSamplesPerBlock, 0.0);
        for (const Path& path : station.paths) {
            const double* segment =
                sources_[path.source].At(start - path.filter.WholeDelay() - (PathFilter::kTaps - 1));
            path.filter.AddBlock(segment, out, convolution_, scratch_);
        }
        for (const Tone& tone : station.hum) {
            const double cyclesPerTick = tone.hz / kSampleRate;
            for (int n = 0; n < kSamplesPerBlock; ++n) {
                const double cycles = std::fmod(cyclesPerTick * static_cast<double>(start + n) + tone.phase, 1.0);
                out[static_cast<size_t>(n)] += tone.amplitude * std::cos(2.0 * std::numbers::pi * cycles);
            }
        }
        if (station.noiseSigma > 0.0) {
            for (double& sample : out) {
                sample += station.noiseSigma * station.noise.Next();
            }
        }
    }
    clock_.Advance();
    return block;
}

void PipeNoiseGenerator::Restart(double gapSeconds)
{
    clock_.Restart(gapSeconds);
}

}  // namespace korvanta::sim
