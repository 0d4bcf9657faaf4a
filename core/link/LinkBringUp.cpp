#include "core/link/LinkBringUp.h"

#include <algorithm>

#include "core/link/ILinkLibrary.h"
#include "core/link/LinkCommand.h"
#include "core/text/StringIds.h"

namespace korvanta {

namespace {

constexpr int kAllUnits = 15;
constexpr int kInterfaceUnitMask = 1;

}  // namespace

LinkBringUp::LinkBringUp(CLinkState& link, int ticksPerStep) : link_(link), ticksPerStep_(std::max(ticksPerStep, 1)) {}

void LinkBringUp::Start(const std::string& port)
{
    // A result left over from an earlier port request would be taken for this port's.
    if (link_.IsPortResultPending()) {
        link_.GetPortResult();
    }
    LinkCommand open;
    open.code = TM_CONFIGURE_COM_PORT;
    open.portName = port;
    link_.PostUrgentCommand(open);
    step_ = Step::PortRequested;
    failure_ = Failure::None;
    portOpened_ = false;
    portTicks_ = 0;
    interfaceTicks_ = 0;
    progress_ = 0;
}

void LinkBringUp::Tick()
{
    if (step_ == Step::PortRequested) {
        TickPortStep();
    } else if (step_ == Step::WaitingForInterface) {
        TickInterfaceStep();
    }
}

void LinkBringUp::CountTick(int& ticks)
{
    ++ticks;
    progress_ = std::min(progress_ + 1, kProgressMax);
}

void LinkBringUp::TickPortStep()
{
    if (link_.IsPortResultPending()) {
        if (!link_.GetPortResult()) {
            Fail(link_.PortOpenCode() == ILinkLibrary::kOpenPortInUse ? Failure::PortInUse : Failure::PortNotOpened,
                 kProgressPortFailed);
            return;
        }
        portOpened_ = true;
        progress_ = kProgressPortOpened;
        // The interface unit counts as absent until it answers; each outstation counts one miss.
        link_.UpdateUnitPresence(0, 0, kAllUnits);
        LinkCommand status;
        status.code = TM_GET_SENSOR_STATUS;
        status.unitMask = kInterfaceUnitMask;
        link_.PostUrgentCommand(status);
        step_ = Step::WaitingForInterface;
    }
    CountTick(portTicks_);
    if (step_ == Step::PortRequested && portTicks_ >= ticksPerStep_) {
        Fail(Failure::NoPortAnswer, kProgressPortFailed);
    }
}

void LinkBringUp::TickInterfaceStep()
{
    bool present = false;
    bool sensor = false;
    link_.GetUnitStatus(0, present, sensor);
    if (present) {
        progress_ = kProgressMax;
        step_ = Step::Succeeded;
        return;
    }
    CountTick(interfaceTicks_);
    if (interfaceTicks_ >= ticksPerStep_) {
        Fail(Failure::NoInterfaceUnit, kProgressMax);
    }
}

void LinkBringUp::Fail(Failure failure, int progress)
{
    failure_ = failure;
    progress_ = progress;
    step_ = Step::Failed;
}

LinkBringUp::Step LinkBringUp::Run(IClock& clock, int64_t tickMs, int64_t timeoutMs,
                                   const std::function<bool()>& cancelled)
{
    const int64_t deadline = clock.NowMs() + timeoutMs;
    for (;;) {
        Tick();
        if (Finished()) {
            return step_;
        }
        if (cancelled && cancelled()) {
            Fail(Failure::Cancelled, progress_);
            return step_;
        }
        if (clock.NowMs() >= deadline) {
            Fail(step_ == Step::PortRequested ? Failure::NoPortAnswer : Failure::NoInterfaceUnit, progress_);
            return step_;
        }
        clock.SleepMs(tickMs);
    }
}

uint32_t LinkBringUp::FailureMessage() const
{
    switch (failure_) {
    case Failure::NoPortAnswer:
    case Failure::PortNotOpened:
    case Failure::Cancelled:
        return str::kComPortOpenFailed;
    case Failure::PortInUse:
        return str::kPortInUse;
    case Failure::NoInterfaceUnit:
        return str::kCommunicationError;
    case Failure::None:
        break;
    }
    return 0;
}

}  // namespace korvanta
