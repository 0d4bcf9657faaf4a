#include "orvelink/src/HostLinkClock.h"

#include <chrono>

namespace korvanta::orvelink {

LinkClock::TimePoint HostLinkClock::Now() const
{
    std::lock_guard lock(mutex_);
    if (nowMs_ == nullptr) {
        return steady_.Now();
    }
    return TimePoint(std::chrono::milliseconds(nowMs_(context_)));
}

void HostLinkClock::Set(orvelink_clock_fn nowMs, void* context)
{
    std::lock_guard lock(mutex_);
    nowMs_ = nowMs;
    context_ = context;
}

}  // namespace korvanta::orvelink
