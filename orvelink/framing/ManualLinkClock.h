#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

#include "orvelink/framing/LinkClock.h"

namespace korvanta::orvelink {

// A clock that moves only when told to, so that timers can be driven without waiting.
// Safe to read on one thread while another advances it.
class ManualLinkClock final : public LinkClock {
public:
    TimePoint Now() const override;
    void Advance(std::chrono::milliseconds step);

private:
    std::atomic<int64_t> nanoseconds_{0};
};

}  // namespace korvanta::orvelink
