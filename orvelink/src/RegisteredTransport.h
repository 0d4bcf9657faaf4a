#pragma once

#include "orvelink/framing/ByteTransport.h"
#include "orvelink/orvelink_transport.h"

namespace korvanta::orvelink {

// A host-registered transport, opened through its operations table and closed on destruction.
class RegisteredTransport final : public ByteTransport {
public:
    // Constructed only after the table's open succeeded.
    RegisteredTransport(const orvelink_transport_ops& ops, void* context);
    ~RegisteredTransport() override;

    RegisteredTransport(const RegisteredTransport&) = delete;
    RegisteredTransport& operator=(const RegisteredTransport&) = delete;

    std::ptrdiff_t Read(std::span<uint8_t> buffer) override;
    std::ptrdiff_t Write(std::span<const uint8_t> bytes) override;

private:
    orvelink_transport_ops ops_;
    void* context_;
};

}  // namespace korvanta::orvelink
