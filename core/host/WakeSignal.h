#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace korvanta {

// Ends a pause early: the comms thread pauses between passes until either its time is up or a
// command has been posted. A signal given while nobody waits is kept for the next wait, so a
// command posted just before the pause never waits a whole pass.
//
// Threads: Notify may be called from any thread (the user-interface thread posting a command);
// WaitFor by one waiting thread at a time (the comms thread, through IClock::PauseMs).
class WakeSignal {
public:
    void Notify();
    // Waits up to `ms` (real time) for a signal; true when one came (and takes it).
    bool WaitFor(int64_t ms);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_ = false;
};

}  // namespace korvanta
