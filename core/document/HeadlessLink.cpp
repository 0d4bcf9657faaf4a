#include "core/document/HeadlessLink.h"

#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

namespace {

CommsContext MakeContext(CLinkState& link, ILinkLibrary& library, IClock& clock, IBlockReadyNotifier* notifier,
                         std::filesystem::path logFolder)
{
    CommsContext context;
    context.state = &link;
    context.library = &library;
    context.clock = &clock;
    context.blockReady = notifier;
    context.logFolder = std::move(logFolder);
    return context;
}

}  // namespace

HeadlessLink::HeadlessLink(CLinkState& link, ILinkLibrary& library, IClock& clock, IBlockReadyNotifier* notifier,
                           std::filesystem::path logFolder)
    : link_(link), clock_(clock), thread_(MakeContext(link, library, clock, notifier, std::move(logFolder)))
{
}

HeadlessLink::~HeadlessLink()
{
    if (started_) {
        thread_.Stop();
    }
}

bool HeadlessLink::InterfacePresent()
{
    bool present = false;
    bool sensor = false;
    link_.GetUnitStatus(0, present, sensor);
    return present;
}

bool HeadlessLink::WaitFor(int64_t deadline, bool (HeadlessLink::*condition)())
{
    while (!(this->*condition)()) {
        if (clock_.NowMs() >= deadline || Cancelled()) {
            return false;
        }
        clock_.SleepMs(kPollMs);
    }
    return true;
}

HeadlessLink::OpenResult HeadlessLink::Open(const std::string& port, int64_t timeoutMs, std::function<bool()> cancelled)
{
    cancelled_ = std::move(cancelled);
    if (!started_) {
        started_ = thread_.Start();
        if (!started_) {
            return OpenResult::NoThread;
        }
    }
    const int64_t deadline = clock_.NowMs() + timeoutMs;
    LinkCommand open;
    open.code = TM_CONFIGURE_COM_PORT;
    open.portName = port;
    link_.PostCommand(open);
    if (!WaitFor(deadline, &HeadlessLink::PortAnswered)) {
        return Cancelled() ? OpenResult::Cancelled : OpenResult::NoPortAnswer;
    }
    if (!link_.GetPortResult()) {
        return link_.PortOpenCode() == ILinkLibrary::kOpenPortInUse ? OpenResult::PortInUse
                                                                       : OpenResult::PortNotOpened;
    }
    if (!WaitFor(deadline, &HeadlessLink::InterfacePresent)) {
        return Cancelled() ? OpenResult::Cancelled : OpenResult::NoInterfaceUnit;
    }
    return OpenResult::Ok;
}

const char* HeadlessLink::Describe(OpenResult result)
{
    switch (result) {
    case OpenResult::Ok:
        return "the interface unit answers";
    case OpenResult::NoThread:
        return "the comms thread cannot be started";
    case OpenResult::PortNotOpened:
        return "the port cannot be opened";
    case OpenResult::PortInUse:
        return LoadString(str::kPortInUse);
    case OpenResult::Cancelled:
        return "interrupted before the interface unit answered";
    case OpenResult::NoPortAnswer:
        return "the comms thread did not answer the port request";
    case OpenResult::NoInterfaceUnit:
        return "the interface unit does not answer";
    }
    return "unknown";
}

}  // namespace korvanta
