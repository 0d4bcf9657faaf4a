#pragma once

#include "orvelink/framing/LinkClock.h"

namespace korvanta::orvelink {

// The monotonic system clock: never jumps when the wall clock is set.
class SteadyLinkClock final : public LinkClock {
public:
    TimePoint Now() const override;
};

}  // namespace korvanta::orvelink
