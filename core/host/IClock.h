#pragma once

#include <cstdint>

#include "core/host/WakeSignal.h"

namespace korvanta {

// Process clock and pause for the link's waits, so that tests can run time-outs and poll
// periods without waiting for them.
//
// Threads: one clock serves both the user-interface thread (the document's waits for the
// stations, the firmware check, listening, the view's elapsed time) and the comms thread (its
// poll pauses and the link's time-outs), at the same time. Every operation may therefore be
// called from any thread, concurrently, and answers on the caller's thread: NowMs must be safe to
// read while another thread sleeps or pauses, and a pause blocks only its caller. A clock whose
// pauses move time forward (a test's) must keep NowMs monotonic across both threads.
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
