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

// Which end sent a frame. The program's end (the host) writes the type letter in upper case,
// the interface unit's end (the device) in lower case, so a line that echoes our own frames back
// is recognised and never taken for the far end.
enum class LinkSide : uint8_t { Host, Device };
inline constexpr uint8_t kDeviceSideBit = 0x20;

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
    LinkSide side = LinkSide::Host;

    bool operator==(const Frame&) const = default;
};

// The type byte of a frame of `type` sent by `side`.
constexpr uint8_t TypeByte(FrameType type, LinkSide side)
{
    return static_cast<uint8_t>(static_cast<uint8_t>(type) | (side == LinkSide::Device ? kDeviceSideBit : 0));
}

// The frame type of a type byte, whichever side sent it.
constexpr FrameType TypeOfByte(uint8_t value)
{
    return static_cast<FrameType>(value & ~kDeviceSideBit);
}

constexpr LinkSide SideOfByte(uint8_t value)
{
    return (value & kDeviceSideBit) != 0 ? LinkSide::Device : LinkSide::Host;
}

// True for the three known types, from either side.
constexpr bool IsKnownFrameType(uint8_t value)
{
    const FrameType type = TypeOfByte(value);
    return type == FrameType::Data || type == FrameType::Ack || type == FrameType::Heartbeat;
}

}  // namespace korvanta::orvelink
