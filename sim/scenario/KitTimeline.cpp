#include "sim/scenario/KitTimeline.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace korvanta::sim {

namespace {

bool Lasting(const std::optional<double>& end, double now)
{
    return !end || now < *end;
}

bool SameShares(const LineFaultShares& a, const LineFaultShares& b)
{
    return a.lose == b.lose && a.corrupt == b.corrupt;
}

}  // namespace

KitTimeline::KitTimeline(std::vector<TimelineEvent> events, LineFaultShares baseShares)
    : events_(std::move(events)), done_(events_.size(), false), baseShares_(baseShares)
{
}

void KitTimeline::Apply(double elapsedSeconds, uint64_t blocksServed, KitControls& kit)
{
    for (size_t i = 0; i < events_.size(); ++i) {
        const TimelineEvent& event = events_[i];
        const bool due = (event.atSeconds && *event.atSeconds <= elapsedSeconds) ||
                         (event.afterBlocks && *event.afterBlocks <= blocksServed);
        if (!done_[i] && due) {
            done_[i] = true;
            Happen(event, elapsedSeconds, kit);
        }
    }

    for (auto drain = drains_.begin(); drain != drains_.end();) {
        const double share =
            drain->duration > 0.0 ? std::clamp((elapsedSeconds - drain->start) / drain->duration, 0.0, 1.0) : 1.0;
        const double value = drain->from + share * (static_cast<double>(drain->to) - drain->from);
        kit.SetBattery(drain->unit, static_cast<uint8_t>(std::lround(value)));
        drain = share >= 1.0 ? drains_.erase(drain) : drain + 1;
    }

    std::erase_if(faultStretches_, [&](const Stretch& s) { return !Lasting(s.end, elapsedSeconds); });
    std::erase_if(deadStretches_, [&](const Stretch& s) { return !Lasting(s.end, elapsedSeconds); });

    LineFaultShares shares = baseShares_;
    uint64_t latest = 0;
    for (const Stretch& stretch : faultStretches_) {
        if (stretch.order >= latest) {
            latest = stretch.order;
            shares = stretch.shares;
        }
    }
    if (!appliedShares_ ? !faultStretches_.empty() : !SameShares(*appliedShares_, shares)) {
        kit.SetLineFaults(shares);
        appliedShares_ = shares;
    }
    const bool silent = !deadStretches_.empty();
    if (silent != appliedSilent_) {
        kit.SetSilent(silent);
        appliedSilent_ = silent;
    }
}

void KitTimeline::Happen(const TimelineEvent& event, double now, KitControls& kit)
{
    // A timed event lasts from its time, even when the kit only looks later; one that waits for
    // blocks from when they were counted.
    const double start = event.atSeconds.value_or(now);
    const std::optional<double> end =
        event.durationSeconds ? std::optional<double>(start + *event.durationSeconds) : std::nullopt;
    switch (event.action) {
    case TimelineAction::UnitOff:
    case TimelineAction::UnitOn:
        kit.SetUnitOn(event.unit, event.action == TimelineAction::UnitOn);
        break;
    case TimelineAction::SensorUnplugged:
    case TimelineAction::SensorPlugged:
        kit.SetSensor(event.unit, event.action == TimelineAction::SensorPlugged);
        break;
    case TimelineAction::BatteryDrain:
        // A new drain of the same battery takes over from where the old one got to.
        std::erase_if(drains_, [&](const Drain& d) { return d.unit == event.unit; });
        drains_.push_back(
            {event.unit, kit.Battery(event.unit), event.battery, start, event.durationSeconds.value_or(0.0)});
        break;
    case TimelineAction::Charging:
        kit.SetCharging(event.flag);
        break;
    case TimelineAction::ResetButton:
        kit.PressResetButton();
        break;
    case TimelineAction::Headphones:
        kit.SetHeadphones(event.flag);
        break;
    case TimelineAction::LineFaults:
        faultStretches_.push_back({start, end, event.shares, ++started_});
        break;
    case TimelineAction::LinkDead:
        deadStretches_.push_back({start, end, {}, ++started_});
        break;
    }
}

bool KitTimeline::Finished() const
{
    return std::all_of(done_.begin(), done_.end(), [](bool done) { return done; }) && drains_.empty() &&
           faultStretches_.empty() && deadStretches_.empty();
}

}  // namespace korvanta::sim
