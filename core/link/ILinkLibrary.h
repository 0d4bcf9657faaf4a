#pragma once

#include <cstdint>
#include <string>

namespace korvanta {

// The ten operations of the link library, behind an interface so that the comms thread and
// the command routines can run against a scripted far end in tests.
class ILinkLibrary {
public:
    // Status bits of GetStatus.
    static constexpr uint16_t kStatusUnacknowledged = 2;
    static constexpr uint16_t kStatusLinkFailure = 8;

    virtual ~ILinkLibrary() = default;

    // An answer of CommOpenStr: another program (or another open) holds the port.
    static constexpr uint16_t kOpenPortInUse = 5;

    // 0 = port opened, anything else = failure.
    virtual uint16_t CommOpenStr(const std::string& portPath, int32_t baud) = 0;
    virtual void CommClose() = 0;
    virtual uint8_t CommIsOpen() = 0;
    // Forgets the state of a failed exchange.
    virtual void CommReset() = 0;
    // 0 = accepted for sending, anything else = no room.
    virtual uint16_t PutMessage(const uint8_t* bytes, int32_t length) = 0;
    virtual uint16_t GetStatus() = 0;
    // Advances the library's timers; called in every poll cycle, followed by ReadBuffer.
    virtual void LinkTimer() = 0;
    virtual void ReadBuffer() = 0;
    // Negative = no complete message waiting, else its size in bytes.
    virtual int16_t GetMessageSize() = 0;
    // Size of the delivered message, or -1 when the waiting message was not delivered.
    virtual int16_t GetMessage(uint8_t* buffer, int32_t capacity) = 0;
};

}  // namespace korvanta
