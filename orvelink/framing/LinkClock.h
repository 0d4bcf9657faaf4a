#pragma once

#include <chrono>

namespace korvanta::orvelink {

// The time base of the link's timers; tests and simulations inject their own.
class LinkClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    virtual ~LinkClock() = default;
    virtual TimePoint Now() const = 0;
};

}  // namespace korvanta::orvelink
