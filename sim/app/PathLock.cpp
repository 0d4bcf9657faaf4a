#include "sim/app/PathLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvanta::sim {

namespace {

std::string ReadHolder(int fd)
{
    char text[32] = {};
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    std::string holder(text, n > 0 ? static_cast<size_t>(n) : 0);
    holder.erase(holder.find_last_not_of(" \n") + 1);
    return holder.empty() ? "another process" : "process " + holder;
}

}  // namespace

PathLock::~PathLock()
{
    if (fd_ >= 0) {
        // Removed while still held, so nobody can take the lock of a file about to vanish.
        ::unlink(lockPath_.c_str());
        ::close(fd_);
    }
}

bool PathLock::Acquire(const std::string& path, std::string& error)
{
    const std::string lockPath = path + ".lock";
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) {
            error = "cannot create " + lockPath + ": " + std::strerror(errno);
            return false;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            error = path + " is served by " + ReadHolder(fd) + ", which is still running";
            ::close(fd);
            return false;
        }
        // The holder before us may have removed the file between our open and our lock: only a
        // lock on the file that is still at the path counts.
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) == 0 && ::stat(lockPath.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
            held.st_dev == named.st_dev) {
            const std::string pid = std::to_string(::getpid()) + "\n";
            if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, pid.data(), pid.size(), 0) < 0) {
                // The lock holds all the same; only the name of the holder is missing.
            }
            fd_ = fd;
            lockPath_ = lockPath;
            return true;
        }
        ::close(fd);
    }
    error = "cannot take " + lockPath + ": it keeps being replaced";
    return false;
}

}  // namespace korvanta::sim
