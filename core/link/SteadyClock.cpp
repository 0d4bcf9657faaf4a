#include "core/link/SteadyClock.h"

#include <chrono>
#include <thread>

namespace korvanta {

int64_t SteadyClock::NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SteadyClock::SleepMs(int64_t ms)
{
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

void SteadyClock::PauseMs(int64_t ms, WakeSignal& wake)
{
    if (ms > 0) {
        wake.WaitFor(ms);
    }
}

}  // namespace korvanta
