#pragma once

#include "core/host/IClock.h"

namespace korvanta {

// The real clock: a monotonic millisecond count and a real pause.
class SteadyClock final : public IClock {
public:
    int64_t NowMs() override;
    void SleepMs(int64_t ms) override;
    void PauseMs(int64_t ms, WakeSignal& wake) override;
};

}  // namespace korvanta
