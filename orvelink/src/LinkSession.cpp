#include "orvelink/src/LinkSession.h"

#include <span>

#include "orvelink/src/PortName.h"
#include "orvelink/src/RegisteredTransport.h"
#include "orvelink/src/SerialPortTransport.h"
#include "orvelink/src/TtyTransport.h"

namespace korvanta::orvelink {

LinkSession& LinkSession::Instance()
{
    // Never destroyed: the program leaves the port open at exit, and a registered transport's
    // context may already be gone by the time static objects are destroyed. The system closes
    // the port when the process ends.
    static LinkSession* const session = new LinkSession();
    return *session;
}

uint16_t LinkSession::Open(const char* port, int32_t baud)
{
    std::lock_guard lock(mutex_);
    CloseLocked();
    if (port == nullptr || *port == '\0' || baud <= 0) {
        return ORVELINK_OPEN_BAD_PARAMETER;
    }
    const uint16_t result = OpenTransport(port, baud);
    if (result != ORVELINK_OPEN_OK) {
        return result;
    }
    LinkConfig config;
    config.bitsPerSecond = baud;  // long frames get the time they need at this line speed
    watch_ = std::make_unique<FailureWatch>(*transport_);
    endpoint_ = std::make_unique<LinkEndpoint>(*watch_, clock_, config);
    open_.store(true);
    return ORVELINK_OPEN_OK;
}

uint16_t LinkSession::OpenTransport(const char* port, int32_t baud)
{
    const std::string name = PortName::WithoutDevicePrefix(port);
    if (const auto entry = registry_.Find(name)) {
        if (entry->ops.open != nullptr && entry->ops.open(entry->context, baud) != 0) {
            return ORVELINK_OPEN_TRANSPORT_FAILED;
        }
        transport_ = std::make_unique<RegisteredTransport>(entry->ops, entry->context);
        registeredName_ = name;
        return ORVELINK_OPEN_OK;
    }
    const std::string path = PortName::ForSerialPort(port);
    switch (SerialPortTransport::Open(path, baud, transport_)) {
    case SerialPortTransport::OpenResult::Opened:
        return ORVELINK_OPEN_OK;
    case SerialPortTransport::OpenResult::ConfigFailed:
        return ORVELINK_OPEN_CONFIG_FAILED;
    case SerialPortTransport::OpenResult::InUse:
        return ORVELINK_OPEN_IN_USE;
    case SerialPortTransport::OpenResult::NotFound:
        break;
    }
#if !defined(_WIN32)
    switch (TtyTransport::Open(path, baud, transport_)) {
    case TtyTransport::OpenResult::Opened:
        return ORVELINK_OPEN_OK;
    case TtyTransport::OpenResult::ConfigFailed:
        return ORVELINK_OPEN_CONFIG_FAILED;
    case TtyTransport::OpenResult::InUse:
        return ORVELINK_OPEN_IN_USE;
    case TtyTransport::OpenResult::NotFound:
        break;
    }
#endif
    return ORVELINK_OPEN_NOT_FOUND;
}

void LinkSession::Close()
{
    std::lock_guard lock(mutex_);
    CloseLocked();
}

void LinkSession::CloseLocked()
{
    open_.store(false);
    endpoint_.reset();  // before the transport it writes to
    watch_.reset();
    transport_.reset();
    registeredName_.clear();
}

void LinkSession::Reset()
{
    std::lock_guard lock(mutex_);
    if (endpoint_) {
        endpoint_->Reset();
    }
}

uint16_t LinkSession::Put(const uint8_t* bytes, int32_t length)
{
    if (length < 0 || length > ORVELINK_MAX_MESSAGE_SIZE || (bytes == nullptr && length > 0)) {
        return ORVELINK_PUT_BAD_MESSAGE;
    }
    std::lock_guard lock(mutex_);
    if (!endpoint_) {
        return ORVELINK_PUT_NOT_OPEN;
    }
    const std::span<const uint8_t> message(bytes, static_cast<std::size_t>(length));
    const bool accepted = endpoint_->Send(message);
    if (watch_->Failed()) {
        CloseLocked();
        return ORVELINK_PUT_NOT_OPEN;
    }
    return accepted ? 0 : ORVELINK_PUT_NO_ROOM;
}

uint16_t LinkSession::Status()
{
    std::lock_guard lock(mutex_);
    // No open port is a failed link: a caller waiting for a reply stops at once.
    return endpoint_ ? endpoint_->Status() : LinkEndpoint::kStatusLinkFailure;
}

void LinkSession::CloseIfFailedLocked()
{
    if (watch_ && watch_->Failed()) {
        CloseLocked();
    }
}

void LinkSession::ServiceTimers()
{
    std::lock_guard lock(mutex_);
    if (endpoint_) {
        endpoint_->ServiceTimers();
        CloseIfFailedLocked();
    }
}

void LinkSession::ReceiveAvailable()
{
    std::lock_guard lock(mutex_);
    if (endpoint_) {
        endpoint_->ReceiveAvailable();
        CloseIfFailedLocked();
    }
}

int16_t LinkSession::WaitingMessageSize()
{
    std::lock_guard lock(mutex_);
    if (!endpoint_) {
        return -1;
    }
    const auto size = endpoint_->WaitingMessageSize();
    return size ? static_cast<int16_t>(*size) : int16_t{-1};
}

int16_t LinkSession::TakeMessage(uint8_t* buffer, int32_t capacity)
{
    std::lock_guard lock(mutex_);
    if (!endpoint_ || buffer == nullptr || capacity < 0) {
        return -1;
    }
    const auto size = endpoint_->TakeMessage(std::span(buffer, static_cast<std::size_t>(capacity)));
    return size ? static_cast<int16_t>(*size) : int16_t{-1};
}

int LinkSession::Register(const char* name, const orvelink_transport_ops* ops, void* context)
{
    if (!TransportRegistry::IsValid(name, ops)) {
        return -1;
    }
    std::lock_guard lock(mutex_);
    if (open_.load() && registeredName_ == name) {
        return -2;
    }
    registry_.Add(name, *ops, context);
    return 0;
}

int LinkSession::Unregister(const char* name)
{
    if (name == nullptr) {
        return -1;
    }
    std::lock_guard lock(mutex_);
    if (open_.load() && registeredName_ == name) {
        CloseLocked();
    }
    return registry_.Remove(name) ? 0 : -1;
}

void LinkSession::SetClock(orvelink_clock_fn nowMs, void* context)
{
    clock_.Set(nowMs, context);
}

}  // namespace korvanta::orvelink
