#pragma once

#include <cstdint>
#include <optional>

#include "sim/KitOptions.h"

namespace korvanta::sim {

// What can happen to the kit while it runs.
enum class TimelineAction {
    UnitOff,  // an outstation stops answering by radio
    UnitOn,
    SensorUnplugged,  // a unit's sensor comes off
    SensorPlugged,
    BatteryDrain,  // a unit's battery runs down to `battery` over `durationSeconds`
    Charging,      // the interface unit goes on (flag) or off its charger
    ResetButton,   // the interface unit's reset button is pressed
    Headphones,    // headphones plugged in (flag) or pulled out
    LineFaults,    // a share of the frames is lost or damaged for `durationSeconds`
    LinkDead,      // the interface unit falls silent for `durationSeconds`
};

// One event of a scenario's timeline. It happens `atSeconds` after the kit started, or once the
// kit has served `afterBlocks` data blocks in all (exactly one of the two is set). A duration
// left empty lasts for good.
struct TimelineEvent {
    std::optional<double> atSeconds;
    std::optional<uint64_t> afterBlocks;
    TimelineAction action = TimelineAction::ResetButton;
    int unit = -1;
    bool flag = false;
    uint8_t battery = 6;  // where a draining battery ends: flat (FieldKit::kFlatBattery) by default
    std::optional<double> durationSeconds;
    LineFaultShares shares;
};

}  // namespace korvanta::sim
