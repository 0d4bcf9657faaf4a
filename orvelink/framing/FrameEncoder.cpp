#include "orvelink/framing/FrameEncoder.h"

#include <array>

#include "orvelink/framing/Crc16.h"

namespace korvanta::orvelink {

namespace {

void PutStuffed(uint8_t byte, std::vector<uint8_t>& out)
{
    if (byte == kFrameFlag || byte == kFrameEscape) {
        out.push_back(kFrameEscape);
        out.push_back(static_cast<uint8_t>(byte ^ kEscapeXor));
    } else {
        out.push_back(byte);
    }
}

}  // namespace

bool FrameEncoder::Encode(const Frame& frame, std::vector<uint8_t>& out)
{
    if (frame.payload.size() > kMaxMessageSize) {
        return false;
    }
    if (frame.type != FrameType::Data && !frame.payload.empty()) {
        return false;
    }
    const std::array<uint8_t, kFrameHeaderSize> header = {TypeByte(frame.type, frame.side), frame.sequence,
                                                          static_cast<uint8_t>(frame.session >> 8),
                                                          static_cast<uint8_t>(frame.session & 0xFF)};

    Crc16 crc;
    crc.Update(header);
    crc.Update(frame.payload);
    const uint16_t check = crc.Value();

    out.reserve(out.size() + 2 + 2 * (kMinFrameSize + frame.payload.size()));
    out.push_back(kFrameFlag);
    for (uint8_t byte : header) {
        PutStuffed(byte, out);
    }
    for (uint8_t byte : frame.payload) {
        PutStuffed(byte, out);
    }
    PutStuffed(static_cast<uint8_t>(check >> 8), out);
    PutStuffed(static_cast<uint8_t>(check & 0xFF), out);
    out.push_back(kFrameFlag);
    return true;
}

std::vector<uint8_t> FrameEncoder::Encode(const Frame& frame)
{
    std::vector<uint8_t> out;
    Encode(frame, out);
    return out;
}

}  // namespace korvanta::orvelink
