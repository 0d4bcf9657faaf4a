#include "core/host/WakeSignal.h"

#include <chrono>

namespace korvanta {

void WakeSignal::Notify()
{
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    changed_.notify_all();
}

bool WakeSignal::WaitFor(int64_t ms)
{
    std::unique_lock lock(mutex_);
    const bool woken = changed_.wait_for(lock, std::chrono::milliseconds(ms > 0 ? ms : 0), [this] { return signalled_; });
    signalled_ = false;
    return woken;
}

}  // namespace korvanta
