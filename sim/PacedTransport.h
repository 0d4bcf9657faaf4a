#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <utility>

#include "orvelink/framing/ByteTransport.h"
#include "orvelink/framing/LinkClock.h"

namespace korvanta::sim {

// Lets the kit's bytes out no faster than a serial line: each byte takes ten bit times (8N1) after
// the one before it, and reaches the inner transport only once it would have crossed the line.
// Bytes wait in a transmit buffer of kBufferBytes; beyond that writes come back short, as on a
// full serial port. Reading passes straight through.
//
// A device that runs only when the far end reads (the in-process kit) is late by the time since
// it last ran: one running all along would have taken its input, sent its heartbeats and started
// its replies in between. So bytes written now may have started on the line as early as the
// previous moment the line was used, at most kCatchUp ago; the line's rate holds all the same.
// A device polled every millisecond sees no difference. Not thread-safe.
class PacedTransport final : public orvelink::ByteTransport {
public:
    static constexpr std::size_t kBufferBytes = 8192;
    static constexpr std::chrono::milliseconds kCatchUp{100};

    // The clock must outlive the transport.
    PacedTransport(orvelink::ByteTransport& inner, const orvelink::LinkClock& clock, int32_t bitsPerSecond = 57600);

    std::ptrdiff_t Read(std::span<uint8_t> buffer) override;
    std::ptrdiff_t Write(std::span<const uint8_t> bytes) override;

    // Bytes accepted but not yet across the line.
    std::size_t Waiting() const { return buffer_.size(); }

private:
    using TimePoint = orvelink::LinkClock::TimePoint;

    // Notes that the line is used at `now`.
    void Look(TimePoint now);
    // Hands the bytes whose time has come to the inner transport. False when it has failed.
    bool Release();

    orvelink::ByteTransport& inner_;
    const orvelink::LinkClock& clock_;
    std::chrono::nanoseconds byteTime_;
    std::deque<std::pair<TimePoint, uint8_t>> buffer_;  // each byte with the moment it is across
    TimePoint lineFreeAt_{};
    TimePoint lookedAt_{};      // the latest moment the line was used
    TimePoint lookedBefore_{};  // the moment before that
};

}  // namespace korvanta::sim
