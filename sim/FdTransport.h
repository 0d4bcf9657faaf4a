#pragma once

#include <span>

#include "orvelink/framing/ByteTransport.h"

namespace korvanta::sim {

// A non-blocking file descriptor as the kit's line, typically the master side of a
// pseudo-terminal. The descriptor stays the caller's: it is neither made non-blocking nor closed
// here. A master reads EIO while nobody holds the terminal side open; that is an idle line, not a
// failure, since a program may open the port later.
class FdTransport final : public orvelink::ByteTransport {
public:
    explicit FdTransport(int fd) : fd_(fd) {}

    std::ptrdiff_t Read(std::span<uint8_t> buffer) override;
    std::ptrdiff_t Write(std::span<const uint8_t> bytes) override;

private:
    int fd_;
};

}  // namespace korvanta::sim
