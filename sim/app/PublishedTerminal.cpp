#include "sim/app/PublishedTerminal.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace korvanta::sim {

PublishedTerminal::~PublishedTerminal()
{
    if (!linkPath_.empty()) {
        // Someone may have put another link there since: that one is not ours to remove.
        char target[4096] = {};
        const ssize_t n = ::readlink(linkPath_.c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target, static_cast<size_t>(n)) == terminalPath_) {
            ::unlink(linkPath_.c_str());
        }
    }
    if (slave_ >= 0) {
        ::close(slave_);
    }
    if (master_ >= 0) {
        ::close(master_);
    }
}

bool PublishedTerminal::Open(const std::string& linkPath, std::string& error)
{
    if (!lock_.Acquire(linkPath, error)) {
        return false;
    }
    struct stat existing {};
    if (::lstat(linkPath.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            error = linkPath + " exists and is not a symbolic link";
            return false;
        }
        ::unlink(linkPath.c_str());
    }
    // Raw from the start: nothing the kit sends may be echoed back or changed by the line
    // discipline before the program configures the port itself.
    termios raw{};
    ::cfmakeraw(&raw);
    ::cfsetispeed(&raw, B57600);
    ::cfsetospeed(&raw, B57600);
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
        error = std::string("no pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    terminalPath_ = name;
    if (::symlink(terminalPath_.c_str(), linkPath.c_str()) != 0) {
        error = "cannot create " + linkPath + ": " + std::strerror(errno);
        return false;
    }
    linkPath_ = linkPath;
    return true;
}

}  // namespace korvanta::sim
