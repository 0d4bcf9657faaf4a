#pragma once

namespace korvanta {

// Waits that run on the user-interface thread (up to 40 s for the stations to start sampling)
// call this so the window can show the wait cursor and keep painting.
//
// Threads: every operation is called on the user-interface thread only, by the document's waits.
// Pump may paint and may run timers and queued calls (block-ready notices, posted messages, a
// stop from the view's status timer); it must not take user input. The document guards itself
// against what such calls do meanwhile: a stop ends the wait and the measurement, a second start
// is refused, a block notice is ignored (none is asked for while a wait runs).
class IWaitPump {
public:
    virtual ~IWaitPump() = default;
    virtual void BeginWait() {}
    // Called once per 100 ms pass of the wait.
    virtual void Pump() {}
    virtual void EndWait() {}
};

}  // namespace korvanta
