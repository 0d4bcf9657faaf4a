#include "orvelink/framing/FdIo.h"

#if !defined(_WIN32)

#include <cerrno>
#include <unistd.h>

namespace korvanta::orvelink {

namespace {

thread_local bool lastReadHangup = false;

}  // namespace

std::ptrdiff_t ReadAvailable(int fd, std::span<uint8_t> buffer)
{
    lastReadHangup = false;
    for (;;) {
        const ssize_t result = ::read(fd, buffer.data(), buffer.size());
        if (result >= 0) {
            return result;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return 0;
        }
        lastReadHangup = errno == EIO;
        return -1;
    }
}

std::ptrdiff_t WriteAvailable(int fd, std::span<const uint8_t> bytes)
{
    for (;;) {
        const ssize_t result = ::write(fd, bytes.data(), bytes.size());
        if (result >= 0) {
            return result;
        }
        if (errno == EINTR) {
            continue;
        }
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
    }
}

bool LastReadWasHangup()
{
    return lastReadHangup;
}

}  // namespace korvanta::orvelink

#endif
