#pragma once

#include <functional>

#include <cstdint>
#include <string>

#include "core/host/IClock.h"
#include "core/link/CLinkState.h"

namespace korvanta {

// Bringing the link up on a port, in two steps driven by ticks: the comms thread is asked to
// open the port, then the interface unit must answer. Each step fails after its number of
// ticks. The window's initialisation dialog ticks it from a timer and shows its progress; a
// host without windows runs it to the end on a clock.
class LinkBringUp {
public:
    static constexpr int kTicksPerStep = 20;
    // The progress runs 0..40, one per tick, and jumps to 20 when the port opened.
    static constexpr int kProgressMax = 40;
    static constexpr int kProgressPortOpened = 20;
    static constexpr int kProgressPortFailed = 39;

    enum class Step { PortRequested, WaitingForInterface, Succeeded, Failed };
    enum class Failure { None, NoPortAnswer, PortNotOpened, PortInUse, NoInterfaceUnit, Cancelled };

    explicit LinkBringUp(CLinkState& link, int ticksPerStep = kTicksPerStep);

    // Asks the comms thread, ahead of whatever is queued, to open `port`.
    void Start(const std::string& port);
    // One tick: takes the port's result or the interface unit's answer, or counts the wait.
    void Tick();
    // Ticks every `tickMs` on `clock` until the steps end or `timeoutMs` has passed; a time-out
    // fails the step then running. The outcome.
    // `cancelled`, when given, ends the wait early (Failure::Cancelled).
    Step Run(IClock& clock, int64_t tickMs, int64_t timeoutMs, const std::function<bool()>& cancelled = {});

    Step CurrentStep() const { return step_; }
    bool Finished() const { return step_ == Step::Succeeded || step_ == Step::Failed; }
    bool PortOpened() const { return portOpened_; }
    Failure FailureReason() const { return failure_; }
    // The string-table message of the failure; 0 while nothing failed.
    uint32_t FailureMessage() const;
    int Progress() const { return progress_; }

private:
    void TickPortStep();
    void TickInterfaceStep();
    void CountTick(int& ticks);
    void Fail(Failure failure, int progress);

    CLinkState& link_;
    int ticksPerStep_;
    Step step_ = Step::PortRequested;
    Failure failure_ = Failure::None;
    bool portOpened_ = false;
    int portTicks_ = 0;
    int interfaceTicks_ = 0;
    int progress_ = 0;
};

}  // namespace korvanta
