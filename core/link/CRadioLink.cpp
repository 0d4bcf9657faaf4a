#include "core/link/CRadioLink.h"

#include <algorithm>
#include <vector>

namespace korvanta {

CRadioLink::CRadioLink(ILinkLibrary& library, IClock& clock, std::stop_token stop)
    : library_(library), clock_(clock), stop_(std::move(stop))
{
}

const char* CRadioLink::ErrorText(int code)
{
    switch (code) {
    case kLinkOk:
        return "No error encountered.";
    case kLinkNotOpened:
        return "Could not open comms session.";
    case kLinkNoRoom:
        return "There was not enough space in the comms\nbuffer for the message to be sent.\n\n"
               "Please get an updated version of orvelink.dll\nfrom your software supplier.";
    case kLinkNotAcknowledged:
        return "No acknowledgement received from remote device.";
    case kLinkTimeout:
        return "Timout encountered while waiting for message";
    case kLinkNoHeartbeat:
        return "No heartbeat received from remote system.";
    case kLinkBadParameter:
        return "A bad parameter was sent to a trans function.";
    case kLinkInvalidMessage:
        return "Invlaid message received from remote system.";
    case kLinkWrongSize:
        return "Size of reply is not what was expected.";
    default:
        return "Unknown error encountered.";
    }
}

bool CRadioLink::Fail(int code)
{
    lastError_ = code;
    return false;
}

void CRadioLink::Poll()
{
    library_.LinkTimer();
    library_.ReadBuffer();
}

bool CRadioLink::Open(const char* portPath, int32_t baud)
{
    if (portPath == nullptr || *portPath == '\0') {
        return Fail(kLinkBadParameter);
    }
    if (library_.CommOpenStr(portPath, baud) != 0) {
        return Fail(kLinkNotOpened);
    }
    lastError_ = kLinkOk;
    return true;
}

void CRadioLink::Close()
{
    library_.CommClose();
    lastError_ = kLinkOk;
}

bool CRadioLink::Send(const uint8_t* message, int32_t length)
{
    if (message == nullptr || length <= 0) {
        return Fail(kLinkBadParameter);
    }
    if (library_.PutMessage(message, length) != 0) {
        return Fail(kLinkNoRoom);
    }
    // The library retransmits until the far end acknowledges or the link is declared dead,
    // so this wait needs no limit of its own.
    for (;;) {
        Poll();
        clock_.SleepMs(kPollPauseMs);
        if (library_.GetStatus() & ILinkLibrary::kStatusLinkFailure) {
            return Fail(kLinkNotAcknowledged);
        }
        if (!(library_.GetStatus() & ILinkLibrary::kStatusUnacknowledged)) {
            lastError_ = kLinkOk;
            return true;
        }
        if (stop_.stop_requested()) {
            return Fail(kLinkNotAcknowledged);
        }
    }
}

void CRadioLink::DropWaitingMessage(int32_t size)
{
    std::vector<uint8_t> scratch(static_cast<size_t>(std::max(size, int32_t{1})));
    library_.GetMessage(scratch.data(), static_cast<int32_t>(scratch.size()));
}

// A reply that came after its exchange had timed out (comm_reset ran before it arrived), or any
// other message nobody took, would otherwise be read as the answer to the next request.
void CRadioLink::DropStaleMessages()
{
    Poll();
    // Bounded, so that a library that keeps reporting a message cannot hold the thread here.
    for (int dropped = 0; dropped < kMaxStaleMessages; ++dropped) {
        const int32_t size = library_.GetMessageSize();
        if (size < 0) {
            return;
        }
        DropWaitingMessage(size);
    }
}

bool CRadioLink::Receive(uint8_t* buffer, int32_t capacity, int32_t& size, int64_t timeoutMs)
{
    const int64_t start = clock_.NowMs();
    if (buffer == nullptr || capacity <= 0) {
        return Fail(kLinkBadParameter);
    }
    for (;;) {
        Poll();
        clock_.SleepMs(kPollPauseMs);
        if (clock_.NowMs() - start > timeoutMs || stop_.stop_requested()) {
            return Fail(kLinkTimeout);
        }
        if (library_.GetStatus() & ILinkLibrary::kStatusLinkFailure) {
            return Fail(kLinkNoHeartbeat);
        }
        size = library_.GetMessageSize();
        if (size >= 0) {
            break;
        }
    }
    // A reply that cannot fit is taken out of the library whole and dropped, so the caller's
    // buffer is never written past its end whatever the library does with a short buffer.
    if (size > capacity) {
        DropWaitingMessage(size);
        return Fail(kLinkWrongSize);
    }
    if (library_.GetMessage(buffer, capacity) >= 0) {
        return true;
    }
    DropWaitingMessage(size);
    return Fail(kLinkNoRoom);
}

bool CRadioLink::Transact(const uint8_t* request, int32_t requestLength, uint8_t* reply, int32_t capacity,
                          int64_t timeoutMs)
{
    if (request == nullptr || reply == nullptr || requestLength <= 0) {
        return Fail(kLinkBadParameter);
    }
    const uint8_t opcode = request[0];
    DropStaleMessages();
    if (!Send(request, requestLength)) {
        return false;
    }
    int32_t size = -1;
    if (!Receive(reply, capacity, size, timeoutMs)) {
        return false;
    }
    if (size > capacity) {
        return Fail(kLinkWrongSize);
    }
    // An empty reply would otherwise pass the echo check on the request's own opcode when
    // request and reply share a buffer.
    if (size < 1 || reply[0] != opcode) {
        return Fail(kLinkInvalidMessage);
    }
    return true;
}

}  // namespace korvanta
