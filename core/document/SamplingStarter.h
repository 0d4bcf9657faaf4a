#pragma once

#include <cstdint>
#include <functional>

#include "core/host/IClock.h"
#include "core/host/IWaitPump.h"
#include "core/link/CLinkState.h"

namespace korvanta {

// Has the comms thread start sampling and waits on the calling (user-interface) thread for its
// answer, polling every 100 ms for at most 40 s.
class SamplingStarter {
public:
    static constexpr int64_t kPollMs = 100;
    static constexpr int64_t kTimeoutMs = 40000;

    enum class Answer {
        Started,    // the stations sample
        Refused,    // the comms thread gave up
        NoAnswer,   // nothing within the time; a stop is queued behind the start
        Abandoned,  // the caller ended the wait (a stop came in meanwhile)
    };

    // `pump` may be null.
    SamplingStarter(CLinkState& link, IClock& clock, IWaitPump* pump) : link_(link), clock_(clock), pump_(pump) {}

    // `abandoned` is asked after every pump: true ends the wait at once.
    Answer Start(const std::function<bool()>& abandoned);

private:
    CLinkState& link_;
    IClock& clock_;
    IWaitPump* pump_;
};

}  // namespace korvanta
