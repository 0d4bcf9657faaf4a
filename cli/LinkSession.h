#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "cli/InterruptSignal.h"
#include "cli/RunLogFolder.h"
#include "core/document/HeadlessLink.h"
#include "core/document/PostedCommandQueue.h"
#include "core/link/OrvelinkLibrary.h"

namespace korvanta::cli {

// What a measuring command holds while its link is up: the private log folder, the interrupt
// handlers (from here an interrupt stops the run as Stop does: what was measured is kept), the
// link library, the comms thread's notices and the link itself.
class LinkSession {
public:
    LinkSession(CLinkState& link, IClock& clock, const std::optional<std::filesystem::path>& logFolder);
    LinkSession(const LinkSession&) = delete;
    LinkSession& operator=(const LinkSession&) = delete;

    // Opens `port` and waits for the interface unit; on failure says why, under the command's
    // name, and returns false.
    bool Open(const std::string& port, const char* command);
    PostedCommandQueue& Notices() { return notices_; }

    static bool Interrupted();
    // The exit status of a run that ended early: the interrupt's, or 1.
    static int EarlyEndStatus();

private:
    RunLogFolder logFolder_;
    InterruptSignal interrupt_;
    OrvelinkLibrary library_;
    PostedCommandQueue notices_;
    HeadlessLink headless_;
};

}  // namespace korvanta::cli
