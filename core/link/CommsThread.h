#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stop_token>
#include <thread>

#include "core/link/CommsContext.h"

namespace korvanta {

// The comms thread's procedure: the only caller of the link library. Returns 0.
int CommsThreadProc(const CommsContext& context, std::stop_token stop = {});

// Owns the comms thread. The user interface talks to it only through the link state.
class CommsThread {
public:
    static constexpr int64_t kDefaultStopTimeoutMs = 15000;

    explicit CommsThread(const CommsContext& context);
    // Interrupts any wait on the link and joins the thread.
    ~CommsThread();

    CommsThread(const CommsThread&) = delete;
    CommsThread& operator=(const CommsThread&) = delete;

    // False when the thread cannot be created; the program then runs without communication.
    bool Start();
    // Queues TM_END_THREAD as an urgent command and waits up to `timeoutMs` (real time) for
    // the thread to end. If it has not ended by then, its waits on the link are interrupted
    // and it is joined. True when it ended within the time.
    bool Stop(int64_t timeoutMs = kDefaultStopTimeoutMs);
    // True once the thread procedure has returned, waiting at most `timeoutMs` (real time).
    bool WaitForEnd(int64_t timeoutMs);

private:
    void Body(std::stop_token stop);

    CommsContext context_;
    std::mutex mutex_;
    std::condition_variable endedChanged_;
    bool ended_ = false;
    std::jthread thread_;
};

}  // namespace korvanta
