#include "orvelink/framing/FrameParser.h"

#include "orvelink/framing/Crc16.h"

namespace korvanta::orvelink {

FrameParser::FrameParser()
{
    buffer_.reserve(kMaxFrameSize);
}

void FrameParser::Reset()
{
    buffer_.clear();
    escaped_ = false;
    pendingError_ = FrameError::None;
}

ParseStep FrameParser::Parse(std::span<const uint8_t> bytes)
{
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        const uint8_t byte = bytes[index];
        if (byte == kFrameFlag) {
            if (escaped_) {
                pendingError_ = FrameError::BadEscape;  // an escape cut short by a flag
            }
            if (buffer_.empty() && pendingError_ == FrameError::None) {
                continue;  // the opening flag, or the gap between two frames
            }
            return ParseStep{FinishFrame(), index + 1};
        }
        if (pendingError_ != FrameError::None) {
            continue;  // the frame is lost; skip to the next flag
        }
        uint8_t value = byte;
        if (escaped_) {
            escaped_ = false;
            value = static_cast<uint8_t>(byte ^ kEscapeXor);
            if (value != kFrameFlag && value != kFrameEscape) {
                pendingError_ = FrameError::BadEscape;
                continue;
            }
        } else if (byte == kFrameEscape) {
            escaped_ = true;
            continue;
        }
        if (buffer_.size() >= kMaxFrameSize) {
            pendingError_ = FrameError::TooLong;
            continue;
        }
        buffer_.push_back(value);
    }
    return ParseStep{ParseStatus::NeedMoreBytes, bytes.size()};
}

ParseStatus FrameParser::FinishFrame()
{
    error_ = pendingError_;
    if (error_ == FrameError::None) {
        if (buffer_.size() < kMinFrameSize) {
            error_ = FrameError::TooShort;
        } else {
            const std::size_t bodySize = buffer_.size() - kFrameCrcSize;
            const uint16_t received = static_cast<uint16_t>((buffer_[bodySize] << 8) | buffer_[bodySize + 1]);
            if (Crc16::Compute(std::span(buffer_.data(), bodySize)) != received) {
                error_ = FrameError::BadCrc;
            } else if (!IsKnownFrameType(buffer_[0])) {
                error_ = FrameError::UnknownType;
            } else if (TypeOfByte(buffer_[0]) != FrameType::Data && bodySize != kFrameHeaderSize) {
                error_ = FrameError::UnexpectedPayload;
            }
        }
    }
    if (error_ == FrameError::None) {
        frame_.type = TypeOfByte(buffer_[0]);
        frame_.side = SideOfByte(buffer_[0]);
        frame_.sequence = buffer_[1];
        frame_.session = static_cast<uint16_t>((buffer_[2] << 8) | buffer_[3]);
        frame_.payload.assign(buffer_.begin() + kFrameHeaderSize, buffer_.end() - kFrameCrcSize);
    }
    Reset();
    return error_ == FrameError::None ? ParseStatus::Complete : ParseStatus::Invalid;
}

}  // namespace korvanta::orvelink
