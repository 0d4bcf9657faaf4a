#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace korvanta::orvelink {

// A byte stream the link runs over: a serial port, a pseudo-terminal or an in-memory pipe.
// Neither call may block; opening and closing belong to whoever creates the transport.
class ByteTransport {
public:
    virtual ~ByteTransport() = default;

    // Bytes copied into buffer; 0 when none wait; negative when the transport has failed.
    virtual std::ptrdiff_t Read(std::span<uint8_t> buffer) = 0;
    // Bytes taken, possibly fewer than offered; negative when the transport has failed.
    virtual std::ptrdiff_t Write(std::span<const uint8_t> bytes) = 0;
};

}  // namespace korvanta::orvelink
