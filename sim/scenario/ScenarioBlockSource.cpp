#include "sim/scenario/ScenarioBlockSource.h"

#include "sim/acoustics/PipeNoiseGenerator.h"
#include "sim/recording/RecordingReplay.h"

namespace korvanta::sim {

std::unique_ptr<BlockSource> MakeScenarioSource(const Scenario& scenario, const std::vector<uint8_t>& units,
                                                std::string* error)
{
    if (!scenario.UsesRecordings()) {
        return PipeNoiseGenerator::Create(scenario.scene, units, error);
    }
    std::vector<ReplayTrack> tracks;
    for (const uint8_t unit : units) {
        if (unit >= scenario.tracks.size()) {
            if (error != nullptr) {
                *error = "unit " + std::to_string(unit) + " does not exist";
            }
            return nullptr;
        }
        tracks.push_back(scenario.tracks[unit]);
    }
    return RecordingReplay::Create(std::move(tracks), scenario.scene.seed, error);
}

}  // namespace korvanta::sim
