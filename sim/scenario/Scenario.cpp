#include "sim/scenario/Scenario.h"

#include <cmath>

namespace korvanta::sim {

Scenario::Scenario() : units(DefaultUnits()) {}

bool Scenario::UsesRecordings() const
{
    for (const auto& recording : recordings) {
        if (recording) {
            return true;
        }
    }
    return false;
}

std::string CheckScenarioForKit(const Scenario& scenario)
{
    if (const std::string fault = scenario.scene.Check(); !fault.empty()) {
        return fault;
    }
    for (size_t unit = 0; unit < scenario.recordings.size(); ++unit) {
        if (scenario.recordings[unit] && !scenario.tracks[unit]) {
            return "the recording " + scenario.recordings[unit]->path + " is not loaded";
        }
    }
    for (const TimelineEvent& event : scenario.timeline) {
        if (event.atSeconds.has_value() == event.afterBlocks.has_value() ||
            (event.atSeconds && !(std::isfinite(*event.atSeconds) && *event.atSeconds >= 0.0))) {
            return "a timeline event needs one time: seconds after the start or a number of blocks";
        }
        const bool needsUnit = event.action == TimelineAction::UnitOff || event.action == TimelineAction::UnitOn ||
                               event.action == TimelineAction::SensorUnplugged ||
                               event.action == TimelineAction::SensorPlugged ||
                               event.action == TimelineAction::BatteryDrain;
        if (needsUnit && (event.unit < 0 || event.unit >= kKitUnits)) {
            return "a timeline event names a unit that does not exist";
        }
        const LineFaultShares& shares = event.shares;
        if (!(shares.lose >= 0.0 && shares.corrupt >= 0.0 && shares.lose + shares.corrupt <= 1.0)) {
            return "a timeline event's shares of lost and corrupted frames must add up to at most 1";
        }
        if (event.durationSeconds && !(std::isfinite(*event.durationSeconds) && *event.durationSeconds >= 0.0)) {
            return "a timeline event cannot last a negative time";
        }
    }
    return {};
}

}  // namespace korvanta::sim
