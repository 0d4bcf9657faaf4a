#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

#include "orvelink/framing/ManualLinkClock.h"
#include "sim/FieldKit.h"

namespace korvanta::sim::test {

using Bytes = std::vector<uint8_t>;

// How the signal-strength screen judges one radio-test reply.
enum class RadioVerdict { Perfect, Acceptable, Failed };

inline RadioVerdict JudgeRadioTest(const Bytes& reply)
{
    const bool acceptable = reply.size() == 14 && reply[12] == 0 && reply[10] >= 13;
    if (!acceptable) {
        return RadioVerdict::Failed;
    }
    return reply[4] == 0 && reply[5] == 0 ? RadioVerdict::Perfect : RadioVerdict::Acceptable;
}

inline double SecondsOf(orvelink::LinkClock::TimePoint at)
{
    return std::chrono::duration<double>(at.time_since_epoch()).count();
}

// A kit on a clock that moves only when told, asked one message at a time.
struct KitUnderTest {
    explicit KitUnderTest(KitOptions options = Unpaced()) : kit(options, clock) {}

    static KitOptions Unpaced()
    {
        KitOptions options;
        options.paced = false;
        return options;
    }

    KitReply Ask(const Bytes& request) { return kit.Handle(request); }
    Bytes Answer(const Bytes& request) { return kit.Handle(request).bytes; }
    void Advance(double seconds)
    {
        clock.Advance(std::chrono::milliseconds(static_cast<int64_t>(seconds * 1000.0 + 0.5)));
    }
    double Now() const { return SecondsOf(clock.Now()); }

    orvelink::ManualLinkClock clock;
    FieldKit kit;
};

}  // namespace korvanta::sim::test
