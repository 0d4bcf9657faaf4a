#include "sim/PacedTransport.h"

#include <algorithm>
#include <vector>

namespace korvanta::sim {

PacedTransport::PacedTransport(orvelink::ByteTransport& inner, const orvelink::LinkClock& clock, int32_t bitsPerSecond)
    : inner_(inner),
      clock_(clock),
      byteTime_(std::chrono::nanoseconds(10'000'000'000LL / std::max<int32_t>(bitsPerSecond, 1))),
      lookedAt_(clock.Now()),
      lookedBefore_(lookedAt_)
{
}

void PacedTransport::Look(TimePoint now)
{
    if (now > lookedAt_) {
        lookedBefore_ = lookedAt_;
        lookedAt_ = now;
    }
}

bool PacedTransport::Release()
{
    const TimePoint now = clock_.Now();
    std::vector<uint8_t> due;
    for (const auto& [across, byte] : buffer_) {
        if (across > now) {
            break;
        }
        due.push_back(byte);
    }
    if (due.empty()) {
        return true;
    }
    const std::ptrdiff_t written = inner_.Write(due);
    if (written < 0) {
        return false;
    }
    // What the inner transport cannot take yet stays here, late but in order.
    buffer_.erase(buffer_.begin(),
                  buffer_.begin() + std::min<std::ptrdiff_t>(written, static_cast<std::ptrdiff_t>(due.size())));
    return true;
}

std::ptrdiff_t PacedTransport::Read(std::span<uint8_t> buffer)
{
    Look(clock_.Now());
    if (!Release()) {
        return -1;
    }
    return inner_.Read(buffer);
}

std::ptrdiff_t PacedTransport::Write(std::span<const uint8_t> bytes)
{
    const TimePoint now = clock_.Now();
    Look(now);
    if (!Release()) {
        return -1;
    }
    const std::size_t accepted = std::min(bytes.size(), kBufferBytes - buffer_.size());
    TimePoint start = std::max({lookedBefore_, now - kCatchUp, lineFreeAt_});
    for (std::size_t i = 0; i < accepted; ++i) {
        start += byteTime_;
        buffer_.emplace_back(start, bytes[i]);
    }
    lineFreeAt_ = start;
    if (!Release()) {
        return -1;
    }
    return static_cast<std::ptrdiff_t>(accepted);
}

}  // namespace korvanta::sim
