#include "orvelink/src/PortLock.h"

#if !defined(_WIN32)

#include <cerrno>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>

namespace korvanta::orvelink {

namespace {

// The far side of a pseudo-terminal (a simulator) keeps its end open for ever, so the terminal's
// exclusive mode would outlast a program that was killed and refuse the next one; the lock,
// which goes with the descriptor, is enough there.
bool IsPseudoTerminal(int fd)
{
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return false;
    }
    const unsigned int group = major(status.st_rdev);
    return group >= 136 && group <= 143;
}

}  // namespace

bool LockPort(int fd)
{
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR) {
            // A file system without locks cannot tell; only a lock held elsewhere refuses.
            return errno != EWOULDBLOCK;
        }
    }
#ifdef TIOCEXCL
    if (!IsPseudoTerminal(fd)) {
        ::ioctl(fd, TIOCEXCL);
    }
#endif
    return true;
}

void UnlockPort(int fd)
{
#ifdef TIOCNXCL
    if (!IsPseudoTerminal(fd)) {
        ::ioctl(fd, TIOCNXCL);
    }
#else
    (void)fd;
#endif
}

}  // namespace korvanta::orvelink

#else

namespace korvanta::orvelink {

// Windows opens a COM port exclusively by itself.
bool LockPort(int)
{
    return true;
}

void UnlockPort(int) {}

}  // namespace korvanta::orvelink

#endif
