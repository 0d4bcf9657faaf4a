#pragma once

#include <cstdint>
#include <stop_token>
#include <string>

#include "core/host/IClock.h"
#include "core/link/ILinkLibrary.h"

namespace korvanta {

// Error codes of the link wrapper.
enum LinkError : int {
    kLinkOk = 0,
    kLinkNotOpened = 1,
    kLinkNoRoom = 2,
    kLinkNotAcknowledged = 3,
    kLinkTimeout = 4,
    kLinkNoHeartbeat = 5,
    kLinkBadParameter = 6,
    kLinkInvalidMessage = 7,
    kLinkWrongSize = 8,
};

// Turns the message-level calls of the link library into one blocking request/reply exchange
// with a time-out, and keeps the code of the last failure. Runs on the comms thread only.
//
// A stop request on the token ends any wait early with a failure, so that a thread stuck on a
// silent link can still be shut down.
class CRadioLink {
public:
    // One poll cycle while an exchange waits for its acknowledgement or reply. Short, so that a
    // reply is taken within a few milliseconds of its last byte; the time-outs are unchanged.
    static constexpr int64_t kPollPauseMs = 10;
    static constexpr int kMaxStaleMessages = 16;

    CRadioLink(ILinkLibrary& library, IClock& clock, std::stop_token stop = {});

    // Sends the request and waits for one reply of at most `capacity` bytes whose first byte
    // repeats the request's opcode. Request and reply may share one buffer.
    bool Transact(const uint8_t* request, int32_t requestLength, uint8_t* reply, int32_t capacity, int64_t timeoutMs);
    // Waits for the reply to a request already sent (after Transact timed out on a live link):
    // one message of at most `capacity` bytes that starts with `opcode`.
    bool AwaitReply(uint8_t opcode, uint8_t* reply, int32_t capacity, int64_t timeoutMs);
    // Hands the message to the library and waits until it is acknowledged or the link fails.
    bool Send(const uint8_t* message, int32_t length);
    // Waits for one complete message; `size` receives its length as the library reports it.
    bool Receive(uint8_t* buffer, int32_t capacity, int32_t& size, int64_t timeoutMs);
    // One cycle of the library's timers and receive path.
    void Poll();

    bool Open(const char* portPath, int32_t baud);
    void Close();

    int GetLastError() const { return lastError_; }
    const char* GetErrorText() const { return ErrorText(lastError_); }
    static const char* ErrorText(int code);

private:
    bool Fail(int code);
    void DropWaitingMessage(int32_t size);
    void DropStaleMessages();

    ILinkLibrary& library_;
    IClock& clock_;
    std::stop_token stop_;
    int lastError_ = kLinkOk;
};

}  // namespace korvanta
