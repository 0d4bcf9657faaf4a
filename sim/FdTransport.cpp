#include "sim/FdTransport.h"

#include "orvelink/framing/FdIo.h"

namespace korvanta::sim {

std::ptrdiff_t FdTransport::Read(std::span<uint8_t> buffer)
{
    const std::ptrdiff_t result = orvelink::ReadAvailable(fd_, buffer);
    // The terminal side of a pseudo-terminal closed between two programs is no failure of ours.
    return result < 0 && orvelink::LastReadWasHangup() ? 0 : result;
}

std::ptrdiff_t FdTransport::Write(std::span<const uint8_t> bytes)
{
    return orvelink::WriteAvailable(fd_, bytes);
}

}  // namespace korvanta::sim
