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

}  // namespace

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
        for (int unit = 0; unit < kSceneUnits; ++unit) {
            for (const SoundPath& path :
                 PathsBetween(pipe, reflectors, leak.positionMetres, sensors[unit].positionMetres)) {
                if (!(path.delaySeconds <= LeakNoiseGenerator::kMaxDelaySeconds)) {
                    return name + "its sound may take at most " + std::to_string(LeakNoiseGenerator::kMaxDelaySeconds) +
                           " s to reach the " + kUnitNames[unit] + " sensor";
                }
            }
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
    }
    return {};
}

}  // namespace korvanta::sim
