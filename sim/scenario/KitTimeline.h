#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sim/scenario/KitControls.h"
#include "sim/scenario/TimelineEvent.h"

namespace korvanta::sim {

// Plays a scenario's timeline on a running kit. Each call of Apply brings the kit up to the
// moment given: events whose time or block count has come happen once, in the order of the file
// when several are due together; a draining battery is set to where it has got to; faults that
// last a while are lifted when their time is up. A timed event's duration counts from its time,
// one that waits for blocks from the call that found them served. While several line-fault stretches overlap the
// latest one is in force, and the line returns to `baseShares` when none is left; the link is
// dead while any dead stretch lasts. The kit is only told of a fault state when it changes, so
// other users of the kit are not overridden at every call.
class KitTimeline {
public:
    KitTimeline(std::vector<TimelineEvent> events, LineFaultShares baseShares);

    void Apply(double elapsedSeconds, uint64_t blocksServed, KitControls& kit);

    // Every event has happened and nothing is still going on.
    bool Finished() const;

private:
    struct Drain {
        int unit;
        uint8_t from;
        uint8_t to;
        double start;
        double duration;
    };
    struct Stretch {
        double start;
        std::optional<double> end;
        LineFaultShares shares;
        uint64_t order;  // later stretches win
    };

    void Happen(const TimelineEvent& event, double now, KitControls& kit);

    std::vector<TimelineEvent> events_;
    std::vector<bool> done_;
    LineFaultShares baseShares_;
    std::vector<Drain> drains_;
    std::vector<Stretch> faultStretches_;
    std::vector<Stretch> deadStretches_;
    uint64_t started_ = 0;
    std::optional<LineFaultShares> appliedShares_;
    bool appliedSilent_ = false;
};

}  // namespace korvanta::sim
