#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "orvelink/framing/ByteTransport.h"

namespace korvanta::orvelink {

// Any terminal device opened directly with termios. The serial port library knows only ports it
// finds among the system's serial devices; pseudo-terminals (a simulator on the other side, a
// test) and unusual drivers are opened this way instead. Not available on Windows.
class TtyTransport final : public ByteTransport {
public:
    enum class OpenResult { Opened, NotFound, ConfigFailed, InUse };

    // Raw mode at the baud rate, 8 data bits, no parity, one stop bit, no flow control.
    static OpenResult Open(const std::string& path, int32_t baud, std::unique_ptr<ByteTransport>& transport);

    ~TtyTransport() override;
    TtyTransport(const TtyTransport&) = delete;
    TtyTransport& operator=(const TtyTransport&) = delete;

    std::ptrdiff_t Read(std::span<uint8_t> buffer) override;
    std::ptrdiff_t Write(std::span<const uint8_t> bytes) override;

private:
    explicit TtyTransport(int fd);

    int fd_;
};

}  // namespace korvanta::orvelink
