#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace korvanta::orvelink {

// Non-blocking reads and writes on a POSIX file descriptor opened with O_NONBLOCK.
// Both return the bytes moved, 0 when nothing can move now, and -1 on a failure.
// Interrupted calls are retried.
std::ptrdiff_t ReadAvailable(int fd, std::span<uint8_t> buffer);
std::ptrdiff_t WriteAvailable(int fd, std::span<const uint8_t> bytes);

// The error of the last failed ReadAvailable was a hang-up of the far side (EIO on the master
// side of a pseudo-terminal whose terminal side is closed for the moment).
bool LastReadWasHangup();

}  // namespace korvanta::orvelink
