#include "orvelink/framing/SteadyLinkClock.h"

namespace korvanta::orvelink {

LinkClock::TimePoint SteadyLinkClock::Now() const
{
    return std::chrono::steady_clock::now();
}

}  // namespace korvanta::orvelink
