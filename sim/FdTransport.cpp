#include "sim/FdTransport.h"

#include <cerrno>
#include <unistd.h>

namespace korvanta::sim {

std::ptrdiff_t FdTransport::Read(std::span<uint8_t> buffer)
{
    for (;;) {
        const ssize_t result = ::read(fd_, buffer.data(), buffer.size());
        if (result >= 0) {
            return result;
        }
        if (errno == EINTR) {
            continue;
        }
        return (errno == EAGAIN || errno == EWOULDBLOCK || errno == EIO) ? 0 : -1;
    }
}

std::ptrdiff_t FdTransport::Write(std::span<const uint8_t> bytes)
{
    for (;;) {
        const ssize_t result = ::write(fd_, bytes.data(), bytes.size());
        if (result >= 0) {
            return result;
        }
        if (errno == EINTR) {
            continue;
        }
        return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
    }
}

}  // namespace korvanta::sim
