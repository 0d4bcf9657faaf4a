#include "core/document/HeadlessLink.h"

#include <algorithm>

#include "core/link/LinkBringUp.h"
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

HeadlessLink::OpenResult HeadlessLink::Open(const std::string& port, int64_t timeoutMs, std::function<bool()> cancelled)
{
    cancelled_ = std::move(cancelled);
    if (!started_) {
        started_ = thread_.Start();
        if (!started_) {
            return OpenResult::NoThread;
        }
    }
    // The same steps as the window's initialisation dialog, polled faster: the whole time-out
    // is the limit, and each step may use all of it.
    LinkBringUp bringUp(link_, static_cast<int>(std::max<int64_t>(timeoutMs / kPollMs, 1)));
    bringUp.Start(port);
    if (bringUp.Run(clock_, kPollMs, timeoutMs, [this] { return Cancelled(); }) == LinkBringUp::Step::Succeeded) {
        return OpenResult::Ok;
    }
    switch (bringUp.FailureReason()) {
    case LinkBringUp::Failure::Cancelled:
        return OpenResult::Cancelled;
    case LinkBringUp::Failure::PortInUse:
        return OpenResult::PortInUse;
    case LinkBringUp::Failure::PortNotOpened:
        return OpenResult::PortNotOpened;
    case LinkBringUp::Failure::NoPortAnswer:
        return OpenResult::NoPortAnswer;
    default:
        return OpenResult::NoInterfaceUnit;
    }
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
