#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "orvelink/framing/ByteTransport.h"

struct sp_port;

namespace korvanta::orvelink {

// A serial port opened and configured through the portable serial port library.
class SerialPortTransport final : public ByteTransport {
public:
    enum class OpenResult { Opened, NotFound, ConfigFailed, InUse };

    // Opens the port at the baud rate, 8 data bits, no parity, one stop bit, no flow control.
    static OpenResult Open(const std::string& path, int32_t baud, std::unique_ptr<ByteTransport>& transport);

    ~SerialPortTransport() override;
    SerialPortTransport(const SerialPortTransport&) = delete;
    SerialPortTransport& operator=(const SerialPortTransport&) = delete;

    std::ptrdiff_t Read(std::span<uint8_t> buffer) override;
    std::ptrdiff_t Write(std::span<const uint8_t> bytes) override;

private:
    explicit SerialPortTransport(sp_port* port);

    sp_port* port_;
};

}  // namespace korvanta::orvelink
