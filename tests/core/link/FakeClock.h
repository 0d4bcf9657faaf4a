#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/host/IClock.h"

namespace korvanta::test {

// A clock whose pauses return at once and move time forward by the pause, so the link's
// time-outs and poll periods run at full speed. Safe to read from any thread.
class FakeClock final : public IClock {
public:
    int64_t NowMs() override { return now_.load(); }

    void SleepMs(int64_t ms) override
    {
        {
            std::lock_guard lock(mutex_);
            now_ += ms;
        }
        changed_.notify_all();
        std::this_thread::yield();
    }

    // Waits (in real time, bounded) until the clock has reached `timeMs`.
    bool WaitUntil(int64_t timeMs, std::chrono::milliseconds realTimeout = std::chrono::seconds(20))
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, realTimeout, [&] { return now_.load() >= timeMs; });
    }

private:
    std::atomic<int64_t> now_{0};
    std::mutex mutex_;
    std::condition_variable changed_;
};

}  // namespace korvanta::test
