#include "sim/acoustics/AcousticScene.h"

#include <cmath>

#include "sim/BlockTiming.h"
#include "sim/LeakNoiseGenerator.h"
#include "sim/acoustics/SoundPaths.h"

namespace korvanta::sim {

namespace {

const char* kUnitNames[kSceneUnits] = {"interface", "red", "blue", "yellow"};

std::string CheckBand(const SourceBand& band)
{
    if (!std::isfinite(band.lowHz) || !std::isfinite(band.highHz) || band.lowHz < 0.0 ||
        band.highHz > kSampleRate / 2.0 || band.lowHz >= band.highHz) {
        return "the band must satisfy 0 <= low < high <= " + std::to_string(kSampleRate / 2.0) + " Hz";
    }
    return {};
}

bool Level(double db)
{
    return std::isfinite(db) && db >= -150.0 && db <= 60.0;
}

// A source's sound must reach every sensor, by every path, within the generator's reach.
std::string ReachFault(const AcousticScene& scene, double sourceMetres)
{
    for (int unit = 0; unit < kSceneUnits; ++unit) {
        for (const SoundPath& path :
             PathsBetween(scene.pipe, scene.reflectors, sourceMetres, scene.sensors[unit].positionMetres)) {
            if (!(path.delaySeconds + std::abs(scene.sensors[unit].timingOffsetSeconds) <=
                  LeakNoiseGenerator::kMaxDelaySeconds)) {
                return "its sound may take at most " + std::to_string(LeakNoiseGenerator::kMaxDelaySeconds) +
                       " s to reach the " + kUnitNames[unit] + " sensor";
            }
        }
    }
    return {};
}

}  // namespace

double TrafficDisturbance::CoherentShare(double sensorMetres, double roadMetres) const
{
    if (!coherenceLengthMetres) {
        return 1.0;
    }
    return std::exp(-std::abs(sensorMetres - roadMetres) / *coherenceLengthMetres);
}

PipeNoise PipeNoise::Typical(PipeNoiseKind kind)
{
    PipeNoise noise;
    noise.kind = kind;
    switch (kind) {
    case PipeNoiseKind::WaterUse:
        noise.levelDb = -6.0;
        noise.band = {100.0, 1000.0};
        noise.gating = {20.0, 1.0 / 3.0, -100.0};
        break;
    case PipeNoiseKind::Pump:
        noise.levelDb = -3.0;
        noise.band = {20.0, 400.0};
        break;
    case PipeNoiseKind::PressureValve:
        noise.levelDb = 0.0;
        noise.band = {200.0, 1500.0};
        break;
    }
    return noise;
}

double BackgroundNoise::Shape(double hz) const
{
    const double f = std::abs(hz);
    if (f <= 0.0) {
        return 0.0;
    }
    // slopeDbPerOctave / (20 log10 2) is the exponent of the amplitude.
    return band.Gain(f) * std::pow(f / 100.0, slopeDbPerOctave / 6.020599913279624);
}

std::string AcousticScene::Check() const
{
    if (const std::string fault = pipe.Check(); !fault.empty()) {
        return "pipe: " + fault;
    }
    for (int unit = 0; unit < kSceneUnits; ++unit) {
        if (const std::string fault = sensors[unit].Check(); !fault.empty()) {
            return std::string(kUnitNames[unit]) + " sensor: " + fault;
        }
    }
    if (leaks.empty() || leaks.size() > static_cast<size_t>(kMaxLeaks)) {
        return "there must be 1 to " + std::to_string(kMaxLeaks) + " leaks";
    }
    if (reflectors.size() > static_cast<size_t>(kMaxReflectors)) {
        return "there may be at most " + std::to_string(kMaxReflectors) + " reflectors";
    }
    for (const Reflector& r : reflectors) {
        if (!std::isfinite(r.positionMetres) || !std::isfinite(r.coefficient) || std::abs(r.coefficient) > 1.0) {
            return "a reflector needs a position and a coefficient in -1..1";
        }
    }
    for (size_t i = 0; i < leaks.size(); ++i) {
        const LeakSource& leak = leaks[i];
        const std::string name = "leak " + std::to_string(i + 1) + ": ";
        if (!std::isfinite(leak.positionMetres)) {
            return name + "the position must be a number of metres";
        }
        if (!Level(leak.levelDb)) {
            return name + "the level must lie in -150..60 dB";
        }
        if (const std::string fault = CheckBand(leak.band); !fault.empty()) {
            return name + fault;
        }
        if (const std::string fault = ReachFault(*this, leak.positionMetres); !fault.empty()) {
            return name + fault;
        }
    }
    if (hum.on) {
        if (!std::isfinite(hum.frequencyHz) || hum.frequencyHz <= 0.0 || hum.frequencyHz >= kSampleRate / 2.0) {
            return "hum: the mains frequency must lie in 0.." + std::to_string(kSampleRate / 2.0) + " Hz";
        }
        if (!Level(hum.levelDb) || hum.harmonicsDb.empty() ||
            hum.harmonicsDb.size() > static_cast<size_t>(kMaxHarmonics)) {
            return "hum: the level must lie in -150..60 dB, with 1 to " + std::to_string(kMaxHarmonics) + " harmonics";
        }
        for (const double db : hum.harmonicsDb) {
            if (!Level(db)) {
                return "hum: each harmonic's level must lie in -150..60 dB";
            }
        }
    }
    if (traffic.on) {
        if (!Level(traffic.levelDb)) {
            return "traffic: the level must lie in -150..60 dB";
        }
        if (const std::string fault = CheckBand(traffic.band); !fault.empty()) {
            return "traffic: " + fault;
        }
        if (traffic.positionMetres && !std::isfinite(*traffic.positionMetres)) {
            return "traffic: the road's position must be a number of metres";
        }
        if (traffic.coherenceLengthMetres &&
            !(*traffic.coherenceLengthMetres > 0.0 && *traffic.coherenceLengthMetres <= 1e6)) {
            return "traffic: the coherence length must lie in 0..1000000 m";
        }
    }
    if (pipeNoises.size() > static_cast<size_t>(kMaxPipeNoises)) {
        return "there may be at most " + std::to_string(kMaxPipeNoises) + " noise sources on the pipe";
    }
    for (size_t i = 0; i < pipeNoises.size(); ++i) {
        const PipeNoise& noise = pipeNoises[i];
        const std::string name = "pipe noise " + std::to_string(i + 1) + ": ";
        if (!std::isfinite(noise.positionMetres) || !Level(noise.levelDb)) {
            return name + "needs a position and a level in -150..60 dB";
        }
        if (const std::string fault = CheckBand(noise.band); !fault.empty()) {
            return name + fault;
        }
        if (const std::string fault = noise.gating.Check(); !fault.empty()) {
            return name + fault;
        }
        if (const std::string fault = ReachFault(*this, noise.positionMetres); !fault.empty()) {
            return name + fault;
        }
    }
    if (background.on) {
        if (!Level(background.levelDb) || !std::isfinite(background.slopeDbPerOctave) ||
            std::abs(background.slopeDbPerOctave) > 24.0) {
            return "background: the level must lie in -150..60 dB and the slope in -24..24 dB per octave";
        }
        if (const std::string fault = CheckBand(background.band); !fault.empty()) {
            return "background: " + fault;
        }
        if (background.band.lowHz < 1.0) {
            return "background: the band must start at 1 Hz or above";
        }
        if (const std::string fault = background.gating.Check(); !fault.empty()) {
            return "background: " + fault;
        }
    }
    if (!(referencePressurePa > 0.0 && referencePressurePa <= 1e7)) {
        return "the leak's reference pressure must lie in 0..10000000 Pa";
    }
    return {};
}

}  // namespace korvanta::sim
