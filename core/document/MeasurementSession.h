#pragma once

#include "core/document/SamplingStarter.h"
#include "core/host/IClock.h"
#include "core/host/IWaitPump.h"
#include "core/link/CLinkState.h"

namespace korvanta {

// Whether a measurement runs, and the waits for the stations to start sampling, guarded against
// re-entry: a wait pump runs queued calls, so a stop or a second start can arrive inside a wait.
// A stop there ends the wait; a start while a wait runs or a measurement is on is refused.
// Shared by the two- and three-station flows. User-interface thread only.
class MeasurementSession {
public:
    enum class StartResult { Started, Failed, Stopped };

    // `pump` may be null.
    MeasurementSession(CLinkState& link, IClock& clock, IWaitPump* pump);

    bool IsMeasuring() const { return measuring_; }
    bool IsWaiting() const { return waiting_; }
    // False while a wait runs or a measurement is on: the caller must not start.
    bool CanStart() const { return !waiting_ && !measuring_; }

    // Has the stations start (or start afresh) sampling and waits for their answer. Stopped:
    // the measurement was stopped during the wait; the caller must leave everything alone.
    StartResult StartSampling();
    void Begin() { measuring_ = true; }
    // Empties the comms thread's queue and queues the stop; ends any wait in progress.
    void End();
    // A stop while the stations are still being started and nothing is measured yet: ends the
    // wait (the start then fails) and answers true. False when no such start is under way.
    bool AbandonStart()
    {
        if (!waiting_ || measuring_) {
            return false;
        }
        End();
        return true;
    }
    // Forgets a measurement without telling the comms thread (the document is being cleared).
    void Forget() { measuring_ = false; }
    // Asks the comms thread for the next block.
    void RequestNextBlock(bool threeStation);

private:
    CLinkState& link_;
    SamplingStarter starter_;
    bool measuring_ = false;
    bool waiting_ = false;
    bool stopDuringWait_ = false;
};

}  // namespace korvanta
