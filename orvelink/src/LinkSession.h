#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "orvelink/framing/ByteTransport.h"
#include "orvelink/framing/LinkEndpoint.h"
#include "orvelink/src/FailureWatch.h"
#include "orvelink/src/HostLinkClock.h"
#include "orvelink/src/TransportRegistry.h"

namespace korvanta::orvelink {

// The process's one link: the open transport, the endpoint running over it and the registry of
// named transports. Every operation takes the session's mutex for its own duration, so a second
// thread (asking whether the port is open, registering a transport) never sees a half-made link.
class LinkSession {
public:
    static LinkSession& Instance();

    uint16_t Open(const char* port, int32_t baud);
    void Close();
    bool IsOpen() const { return open_.load(); }
    void Reset();
    uint16_t Put(const uint8_t* bytes, int32_t length);
    uint16_t Status();
    void ServiceTimers();
    void ReceiveAvailable();
    int16_t WaitingMessageSize();
    int16_t TakeMessage(uint8_t* buffer, int32_t capacity);

    int Register(const char* name, const orvelink_transport_ops* ops, void* context);
    int Unregister(const char* name);
    void SetClock(orvelink_clock_fn nowMs, void* context);

private:
    LinkSession() = default;
    uint16_t OpenTransport(const char* port, int32_t baud);
    void CloseLocked();
    // A transport that failed (the line hung up) is closed: the link reports failure from then
    // on and no longer counts as open.
    void CloseIfFailedLocked();

    std::mutex mutex_;
    TransportRegistry registry_;
    HostLinkClock clock_;
    std::unique_ptr<ByteTransport> transport_;
    std::unique_ptr<FailureWatch> watch_;  // over transport_; the endpoint runs over this
    std::unique_ptr<LinkEndpoint> endpoint_;
    std::string registeredName_;  // the registered transport the link runs over, if any
    std::atomic<bool> open_{false};
};

}  // namespace korvanta::orvelink
