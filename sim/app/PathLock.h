#pragma once

#include <string>

namespace korvanta::sim {

// Holds a path for this process alone: an exclusive lock on "PATH.lock" that the system releases
// when the process ends in any way, so a path whose holder was killed is free again at once. The
// lock file names the holding process for whoever is refused.
class PathLock {
public:
    PathLock() = default;
    ~PathLock();
    PathLock(const PathLock&) = delete;
    PathLock& operator=(const PathLock&) = delete;

    // False with the reason in `error` when a living process holds the path.
    bool Acquire(const std::string& path, std::string& error);

private:
    int fd_ = -1;
    std::string lockPath_;
};

}  // namespace korvanta::sim
