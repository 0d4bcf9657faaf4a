#pragma once

#include "orvelink/framing/ByteTransport.h"

namespace korvanta::orvelink {

// Passes reads and writes through to the open transport and remembers whether it ever failed,
// so that the session can close a line that is gone instead of polling a dead handle.
class FailureWatch final : public ByteTransport {
public:
    explicit FailureWatch(ByteTransport& transport) : transport_(transport) {}

    std::ptrdiff_t Read(std::span<uint8_t> buffer) override { return Watch(transport_.Read(buffer)); }
    std::ptrdiff_t Write(std::span<const uint8_t> bytes) override { return Watch(transport_.Write(bytes)); }
    bool Failed() const { return failed_; }

private:
    std::ptrdiff_t Watch(std::ptrdiff_t result)
    {
        failed_ = failed_ || result < 0;
        return result;
    }

    ByteTransport& transport_;
    bool failed_ = false;
};

}  // namespace korvanta::orvelink
