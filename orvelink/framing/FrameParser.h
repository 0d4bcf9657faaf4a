#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "orvelink/framing/Frame.h"

namespace korvanta::orvelink {

enum class ParseStatus {
    NeedMoreBytes,  // every byte offered was taken; no frame ended among them
    Complete,       // a valid frame ended; read it with LastFrame()
    Invalid,        // a damaged frame ended and was thrown away; see LastError()
};

enum class FrameError {
    None,
    TooShort,   // fewer bytes than header and CRC
    TooLong,    // more bytes than the largest frame
    BadEscape,  // an escape byte followed by something the encoder never sends
    BadCrc,
    UnknownType,
    UnexpectedPayload,  // an ack or heartbeat with bytes after the header
};

struct ParseStep {
    ParseStatus status = ParseStatus::NeedMoreBytes;
    std::size_t consumed = 0;  // bytes taken from the offered span
};

// Finds frames in a byte stream cut into arbitrary pieces. Frames lie between flag bytes; the
// parser stops after each flag that ends a frame, so that the caller handles frames one by one,
// and resynchronises on the next flag after any damage. Memory stays bounded whatever arrives.
class FrameParser {
public:
    FrameParser();

    ParseStep Parse(std::span<const uint8_t> bytes);

    // The frame of the last Complete step; valid until the next call of Parse or Reset.
    const Frame& LastFrame() const { return frame_; }
    FrameError LastError() const { return error_; }

    // Drops a partly received frame.
    void Reset();

private:
    ParseStatus FinishFrame();

    std::vector<uint8_t> buffer_;
    bool escaped_ = false;
    FrameError pendingError_ = FrameError::None;  // damage seen in the frame being received
    FrameError error_ = FrameError::None;
    Frame frame_;
};

}  // namespace korvanta::orvelink
