#include "orvelink/framing/ManualLinkClock.h"

namespace korvanta::orvelink {

LinkClock::TimePoint ManualLinkClock::Now() const
{
    return TimePoint(std::chrono::nanoseconds(nanoseconds_.load()));
}

void ManualLinkClock::Advance(std::chrono::milliseconds step)
{
    nanoseconds_.fetch_add(std::chrono::duration_cast<std::chrono::nanoseconds>(step).count());
}

}  // namespace korvanta::orvelink
