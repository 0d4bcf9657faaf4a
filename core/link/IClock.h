#pragma once

#include <cstdint>

#include "core/link/WakeSignal.h"

namespace korvanta {

// Process clock and pause for the link's waits, so that tests can run time-outs and poll
// periods without waiting for them.
class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since an arbitrary fixed point; never goes backwards.
    virtual int64_t NowMs() = 0;
    virtual void SleepMs(int64_t ms) = 0;
    // Pauses up to `ms`, less when `wake` is signalled meanwhile. A clock that does not run in
    // real time (a test's) moves on by the whole pause, as SleepMs does.
    virtual void PauseMs(int64_t ms, WakeSignal& wake)
    {
        (void)wake;
        SleepMs(ms);
    }
};

}  // namespace korvanta
