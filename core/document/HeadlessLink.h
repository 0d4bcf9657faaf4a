#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/host/IBlockReadyNotifier.h"
#include "core/host/IClock.h"
#include "core/link/CLinkState.h"
#include "core/link/CommsThread.h"
#include "core/link/ILinkLibrary.h"

namespace korvanta {

// The comms thread and its port for a host without windows: starts the thread and brings the
// link up on a port (LinkBringUp) as the program's initialisation dialog does when the user
// picks a port from its menu.
class HeadlessLink {
public:
    static constexpr int64_t kPollMs = 20;

    enum class OpenResult { Ok, NoThread, PortNotOpened, PortInUse, NoPortAnswer, NoInterfaceUnit, Cancelled };

    // `notifier` may be null. Everything must outlive this object.
    HeadlessLink(CLinkState& link, ILinkLibrary& library, IClock& clock, IBlockReadyNotifier* notifier,
                 std::filesystem::path logFolder);
    // Ends the comms thread.
    ~HeadlessLink();
    HeadlessLink(const HeadlessLink&) = delete;
    HeadlessLink& operator=(const HeadlessLink&) = delete;

    // Starts the thread if needed, opens `port` and waits up to `timeoutMs` (on the clock) for
    // the port's result and then for the interface unit; gives up waiting as soon as `cancelled`
    // (when given) says so.
    OpenResult Open(const std::string& port, int64_t timeoutMs, std::function<bool()> cancelled = {});
    // What went wrong, in words for a log or a terminal.
    static const char* Describe(OpenResult result);

    CLinkState& Link() { return link_; }

private:
    bool Cancelled() const { return cancelled_ && cancelled_(); }

    CLinkState& link_;
    IClock& clock_;
    CommsThread thread_;
    bool started_ = false;
    std::function<bool()> cancelled_;
};

}  // namespace korvanta
