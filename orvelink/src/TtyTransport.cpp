#include "orvelink/src/TtyTransport.h"

#include "orvelink/framing/FdIo.h"
#include "orvelink/src/LineHangup.h"
#include "orvelink/src/PortLock.h"

#if !defined(_WIN32)

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace korvanta::orvelink {

namespace {

bool SpeedFor(int32_t baud, speed_t& speed)
{
    switch (baud) {
    case 1200:
        speed = B1200;
        return true;
    case 2400:
        speed = B2400;
        return true;
    case 4800:
        speed = B4800;
        return true;
    case 9600:
        speed = B9600;
        return true;
    case 19200:
        speed = B19200;
        return true;
    case 38400:
        speed = B38400;
        return true;
    case 57600:
        speed = B57600;
        return true;
    case 115200:
        speed = B115200;
        return true;
    case 230400:
        speed = B230400;
        return true;
    default:
        return false;
    }
}

bool Configure(int fd, int32_t baud)
{
    speed_t speed{};
    termios settings{};
    if (!SpeedFor(baud, speed) || tcgetattr(fd, &settings) != 0) {
        return false;
    }
    cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    settings.c_cflag |= CS8 | CLOCAL | CREAD;
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    return cfsetispeed(&settings, speed) == 0 && cfsetospeed(&settings, speed) == 0 &&
           tcsetattr(fd, TCSANOW, &settings) == 0;
}

}  // namespace

TtyTransport::OpenResult TtyTransport::Open(const std::string& path, int32_t baud,
                                            std::unique_ptr<ByteTransport>& transport)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // A terminal in another program's exclusive mode refuses the open itself.
        return errno == EBUSY ? OpenResult::InUse : OpenResult::NotFound;
    }
    if (!isatty(fd)) {
        ::close(fd);
        return OpenResult::NotFound;
    }
    if (!LockPort(fd)) {
        ::close(fd);
        return OpenResult::InUse;
    }
    if (!Configure(fd, baud)) {
        ::close(fd);
        return OpenResult::ConfigFailed;
    }
    transport.reset(new TtyTransport(fd));
    return OpenResult::Opened;
}

TtyTransport::TtyTransport(int fd) : fd_(fd) {}

TtyTransport::~TtyTransport()
{
    UnlockPort(fd_);
    ::close(fd_);
}

std::ptrdiff_t TtyTransport::Read(std::span<uint8_t> buffer)
{
    const std::ptrdiff_t result = ReadAvailable(fd_, buffer);
    if (result == 0 && LineHungUp(fd_)) {
        return -1;
    }
    return result;
}

std::ptrdiff_t TtyTransport::Write(std::span<const uint8_t> bytes)
{
    return WriteAvailable(fd_, bytes);
}

}  // namespace korvanta::orvelink

#endif
