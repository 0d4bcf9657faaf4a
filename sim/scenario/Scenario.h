#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "sim/KitOptions.h"
#include "sim/acoustics/AcousticScene.h"
#include "sim/recording/RecordingReplay.h"
#include "sim/recording/RecordingSettings.h"
#include "sim/scenario/CrewVelocity.h"
#include "sim/scenario/TimelineEvent.h"

namespace korvanta::sim {

// A whole simulated situation: the pipe and what its sensors hear (or recordings of them), the
// units as the kit starts with them, and what happens to the kit while it runs.
struct Scenario {
    std::string description;
    AcousticScene scene;
    // What the crew enters for each section of scene.pipe, in the same order.
    std::vector<CrewVelocity> crewVelocities;
    std::array<UnitSettings, kKitUnits> units;
    bool charging = false;
    bool headphones = true;
    std::optional<bool> paced;
    LineFaultShares lineFaults;
    std::vector<TimelineEvent> timeline;

    // Stations with a recording replay it in place of the model.
    std::array<std::optional<RecordingSettings>, kKitUnits> recordings;
    // The recordings at the outstations' sampling rate, once loaded.
    std::array<ReplayTrack, kKitUnits> tracks;

    Scenario();

    bool UsesRecordings() const;
};

// Empty when a kit can run this scenario (its scene can be modelled, every recording it names is
// loaded, its timeline names real units and shares), else what is wrong with it.
std::string CheckScenarioForKit(const Scenario& scenario);

}  // namespace korvanta::sim
