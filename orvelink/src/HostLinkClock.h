#pragma once

#include <mutex>

#include "orvelink/framing/LinkClock.h"
#include "orvelink/framing/SteadyLinkClock.h"
#include "orvelink/orvelink_transport.h"

namespace korvanta::orvelink {

// The library's clock: the steady clock, or the host's millisecond clock once one is set.
class HostLinkClock final : public LinkClock {
public:
    TimePoint Now() const override;
    void Set(orvelink_clock_fn nowMs, void* context);

private:
    SteadyLinkClock steady_;
    mutable std::mutex mutex_;
    orvelink_clock_fn nowMs_ = nullptr;
    void* context_ = nullptr;
};

}  // namespace korvanta::orvelink
