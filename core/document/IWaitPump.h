#pragma once

namespace korvanta {

// Waits that run on the user-interface thread (up to 40 s for the stations to start sampling)
// call this so the window can show the wait cursor and keep painting. It must not run user
// commands meanwhile.
class IWaitPump {
public:
    virtual ~IWaitPump() = default;
    virtual void BeginWait() {}
    // Called once per 100 ms pass of the wait.
    virtual void Pump() {}
    virtual void EndWait() {}
};

}  // namespace korvanta
