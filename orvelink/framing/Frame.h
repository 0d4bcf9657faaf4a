#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvanta::orvelink {

// The three kinds of frame on the line; the values are ASCII letters so that a hex dump reads.
enum class FrameType : uint8_t {
    Data = 0x44,       // 'D': carries one message, must be acknowledged
    Ack = 0x41,        // 'A': acknowledges the data frame with the same session and sequence
    Heartbeat = 0x48,  // 'H': keeps an idle link alive
};

// Delimiting and stuffing bytes, and the size limits of a frame before stuffing.
inline constexpr uint8_t kFrameFlag = 0x7E;
inline constexpr uint8_t kFrameEscape = 0x7D;
inline constexpr uint8_t kEscapeXor = 0x20;
inline constexpr std::size_t kMaxMessageSize = 4096;
inline constexpr std::size_t kFrameHeaderSize = 4;  // type, sequence, session (big-endian)
inline constexpr std::size_t kFrameCrcSize = 2;
inline constexpr std::size_t kMinFrameSize = kFrameHeaderSize + kFrameCrcSize;
inline constexpr std::size_t kMaxFrameSize = kMinFrameSize + kMaxMessageSize;

// One frame as it stands before stuffing and after parsing.
struct Frame {
    FrameType type = FrameType::Heartbeat;
    uint8_t sequence = 0;
    uint16_t session = 0;
    std::vector<uint8_t> payload;  // data frames only; empty for acks and heartbeats

    bool operator==(const Frame&) const = default;
};

// True for the three known type bytes.
constexpr bool IsKnownFrameType(uint8_t value)
{
    return value == static_cast<uint8_t>(FrameType::Data) || value == static_cast<uint8_t>(FrameType::Ack) ||
           value == static_cast<uint8_t>(FrameType::Heartbeat);
}

}  // namespace korvanta::orvelink
