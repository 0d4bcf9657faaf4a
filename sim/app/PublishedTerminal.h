#pragma once

#include <string>

#include "sim/app/PathLock.h"

namespace korvanta::sim {

// A pseudo-terminal whose terminal side is published under a path of the user's choice as a
// symbolic link, so that a program can open that path as its serial port. The terminal side is
// kept open here as well, so the master never reads a hang-up while no program holds the port.
// The path is held with a lock for as long as the object lives: a second simulator is refused
// while the first runs, and takes over a link left by one that was killed. The link is removed
// again when the object goes, but only while it still points at this object's terminal.
class PublishedTerminal {
public:
    PublishedTerminal() = default;
    ~PublishedTerminal();
    PublishedTerminal(const PublishedTerminal&) = delete;
    PublishedTerminal& operator=(const PublishedTerminal&) = delete;

    // False with the reason in `error` when no terminal can be had, another running simulator
    // holds `linkPath`, or `linkPath` exists and is not a symbolic link (a link left behind by a
    // simulator that no longer runs is replaced).
    bool Open(const std::string& linkPath, std::string& error);

    int MasterFd() const { return master_; }
    const std::string& TerminalPath() const { return terminalPath_; }

private:
    PathLock lock_;
    int master_ = -1;
    int slave_ = -1;
    std::string terminalPath_;
    std::string linkPath_;
};

}  // namespace korvanta::sim
