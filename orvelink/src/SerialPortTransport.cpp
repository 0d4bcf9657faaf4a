#include "orvelink/src/SerialPortTransport.h"

#include "orvelink/src/LineHangup.h"
#include "orvelink/src/PortLock.h"

#include <libserialport.h>

namespace korvanta::orvelink {

namespace {

bool Configure(sp_port* port, int32_t baud)
{
    return sp_set_baudrate(port, baud) == SP_OK && sp_set_bits(port, 8) == SP_OK &&
           sp_set_parity(port, SP_PARITY_NONE) == SP_OK && sp_set_stopbits(port, 1) == SP_OK &&
           sp_set_flowcontrol(port, SP_FLOWCONTROL_NONE) == SP_OK;
}

}  // namespace

SerialPortTransport::OpenResult SerialPortTransport::Open(const std::string& path, int32_t baud,
                                                          std::unique_ptr<ByteTransport>& transport)
{
    sp_port* port = nullptr;
    if (sp_get_port_by_name(path.c_str(), &port) != SP_OK) {
        return OpenResult::NotFound;
    }
    if (sp_open(port, SP_MODE_READ_WRITE) != SP_OK) {
        sp_free_port(port);
        return OpenResult::NotFound;
    }
    int fd = -1;
    if (sp_get_port_handle(port, &fd) == SP_OK && !LockPort(fd)) {
        sp_close(port);
        sp_free_port(port);
        return OpenResult::InUse;
    }
    if (!Configure(port, baud)) {
        sp_close(port);
        sp_free_port(port);
        return OpenResult::ConfigFailed;
    }
    transport.reset(new SerialPortTransport(port));
    return OpenResult::Opened;
}

SerialPortTransport::SerialPortTransport(sp_port* port) : port_(port) {}

SerialPortTransport::~SerialPortTransport()
{
    if (int fd = -1; sp_get_port_handle(port_, &fd) == SP_OK) {
        UnlockPort(fd);
    }
    sp_close(port_);
    sp_free_port(port_);
}

std::ptrdiff_t SerialPortTransport::Read(std::span<uint8_t> buffer)
{
    const sp_return result = sp_nonblocking_read(port_, buffer.data(), buffer.size());
    if (result < 0) {
        return -1;
    }
#if !defined(_WIN32)
    // A port whose adaptor was pulled reads as quiet; its descriptor says it hung up.
    int fd = -1;
    if (result == 0 && sp_get_port_handle(port_, &fd) == SP_OK && LineHungUp(fd)) {
        return -1;
    }
#endif
    return static_cast<std::ptrdiff_t>(result);
}

std::ptrdiff_t SerialPortTransport::Write(std::span<const uint8_t> bytes)
{
    const sp_return result = sp_nonblocking_write(port_, bytes.data(), bytes.size());
    return result < 0 ? -1 : static_cast<std::ptrdiff_t>(result);
}

}  // namespace korvanta::orvelink
