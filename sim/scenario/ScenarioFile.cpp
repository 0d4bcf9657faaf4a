#include "sim/scenario/ScenarioFile.h"

#include <cstdlib>
#include <filesystem>

#include "sim/recording/RecordingLoader.h"
#include "sim/recording/WholeFile.h"
#include "sim/scenario/DefaultScenario.h"
#include "sim/scenario/ScenarioParser.h"

namespace korvanta::sim {

bool LoadScenarioRecordings(Scenario& scenario, std::string& error, std::vector<std::string>* warnings)
{
    for (size_t unit = 0; unit < scenario.recordings.size(); ++unit) {
        if (!scenario.recordings[unit]) {
            scenario.tracks[unit] = nullptr;
            continue;
        }
        std::string warning;
        ReplayTrack track = LoadReplayTrack(*scenario.recordings[unit], error, &warning);
        if (!track) {
            return false;
        }
        if (warnings != nullptr && !warning.empty()) {
            warnings->push_back(warning);
        }
        scenario.tracks[unit] = std::move(track);
    }
    return true;
}

bool LoadScenarioFile(const std::string& path, Scenario& result, std::string& error, std::vector<std::string>* warnings)
{
    std::string text;
    if (!ReadWholeFile(path, ScenarioParser::kMaxTextBytes, text, error)) {
        return false;
    }
    Scenario scenario;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!ScenarioParser::Parse(text, folder, scenario, error)) {
        error = path + ": " + error;
        return false;
    }
    if (!LoadScenarioRecordings(scenario, error, warnings)) {
        return false;
    }
    result = std::move(scenario);
    return true;
}

bool ScenarioFromEnvironment(Scenario& result, std::string& error, std::string* source)
{
    const char* named = std::getenv(kScenarioVariable);
    if (named == nullptr || *named == '\0') {
        result = DefaultScenario();
        if (source != nullptr) {
            *source = "default";
        }
        return true;
    }
    if (source != nullptr) {
        *source = named;
    }
    return LoadScenarioFile(named, result, error);
}

}  // namespace korvanta::sim
