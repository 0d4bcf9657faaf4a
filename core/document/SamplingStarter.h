#pragma once

#include <cstdint>

#include "core/document/IWaitPump.h"
#include "core/link/CLinkState.h"
#include "core/link/IClock.h"

namespace korvanta {

// Has the comms thread start sampling and waits on the calling (user-interface) thread for its
// answer, polling every 100 ms for at most 40 s.
class SamplingStarter {
public:
    static constexpr int64_t kPollMs = 100;
    static constexpr int64_t kTimeoutMs = 40000;

    // `pump` may be null.
    SamplingStarter(CLinkState& link, IClock& clock, IWaitPump* pump) : link_(link), clock_(clock), pump_(pump) {}

    // True when the stations answered that they sample; false on a refusal or no answer in time.
    bool Start();

private:
    CLinkState& link_;
    IClock& clock_;
    IWaitPump* pump_;
};

}  // namespace korvanta
