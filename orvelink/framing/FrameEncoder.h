#pragma once

#include <cstdint>
#include <vector>

#include "orvelink/framing/Frame.h"

namespace korvanta::orvelink {

// Turns a frame into line bytes: flag, stuffed header + payload + CRC, flag.
class FrameEncoder {
public:
    // Appends the encoded frame to out. False, with nothing appended, when the payload is
    // longer than a message may be or an ack or heartbeat carries one.
    static bool Encode(const Frame& frame, std::vector<uint8_t>& out);

    // Convenience for callers that want a fresh buffer; empty when Encode would refuse.
    static std::vector<uint8_t> Encode(const Frame& frame);
};

}  // namespace korvanta::orvelink
