#pragma once

#include <cstdint>

namespace korvanta {

// Process clock and pause for the link's waits, so that tests can run time-outs and poll
// periods without waiting for them.
class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since an arbitrary fixed point; never goes backwards.
    virtual int64_t NowMs() = 0;
    virtual void SleepMs(int64_t ms) = 0;
};

}  // namespace korvanta
