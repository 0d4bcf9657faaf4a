#pragma once

#include <string>

namespace korvanta::sim {

// A pseudo-terminal whose terminal side is published under a path of the user's choice as a
// symbolic link, so that a program can open that path as its serial port. The terminal side is
// kept open here as well, so the master never reads a hang-up while no program holds the port.
// The link is removed again when the object goes.
class PublishedTerminal {
public:
    PublishedTerminal() = default;
    ~PublishedTerminal();
    PublishedTerminal(const PublishedTerminal&) = delete;
    PublishedTerminal& operator=(const PublishedTerminal&) = delete;

    // False with the reason in `error` when no terminal can be had, or `linkPath` exists and is
    // not a symbolic link (an old link is replaced).
    bool Open(const std::string& linkPath, std::string& error);

    int MasterFd() const { return master_; }
    const std::string& TerminalPath() const { return terminalPath_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string terminalPath_;
    std::string linkPath_;
};

}  // namespace korvanta::sim
