#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "core/host/IClock.h"
#include "core/link/ILinkLibrary.h"

namespace korvanta::test {

using Bytes = std::vector<uint8_t>;

// How the scripted far end answers one request.
struct FarEndReply {
    enum class Kind {
        Answer,             // acknowledged, then `bytes` arrive as the reply
        Silent,             // acknowledged, no reply ever
        NotAcknowledged,    // the library gives up on the send (failure bit)
        NeverAcknowledged,  // the send stays unacknowledged for ever
        Refused,            // put_message has no room
        HeartbeatLost,      // acknowledged, then the far end falls silent (failure bit)
        Undeliverable,      // the reply arrives but the first get_message refuses it
    };
    Kind kind = Kind::Answer;
    Bytes bytes;
    int64_t lateMs = 0;  // Answer: the reply arrives this long after the acknowledgement

    static FarEndReply Answer(Bytes bytes) { return {Kind::Answer, std::move(bytes)}; }
    static FarEndReply Late(Bytes bytes, int64_t ms) { return {Kind::Answer, std::move(bytes), ms}; }
    static FarEndReply Of(Kind kind) { return {kind, {}}; }
};

using FarEnd = std::function<FarEndReply(const Bytes& request)>;

struct SentMessage {
    Bytes bytes;
    int64_t timeMs = 0;
};

// A link library with a scripted far end: each accepted request is answered as the far end
// says after one poll cycle. Records what the program did with it. Thread-safe.
class FakeLinkLibrary final : public ILinkLibrary {
public:
    explicit FakeLinkLibrary(IClock& clock) : clock_(clock) {}

    void SetFarEnd(FarEnd farEnd);
    void SetOpenResult(uint16_t result);

    std::vector<SentMessage> Sent() const;
    std::vector<std::string> OpenedPaths() const;
    int32_t LastBaud() const;
    int ResetCount() const;
    int CloseCount() const;
    bool HasWaitingMessage() const;
    // Waits (real time, bounded) until `done` holds for the messages sent so far.
    bool WaitForSent(const std::function<bool(const std::vector<SentMessage>&)>& done,
                     std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;

    uint16_t CommOpenStr(const std::string& portPath, int32_t baud) override;
    void CommClose() override;
    uint8_t CommIsOpen() override;
    void CommReset() override;
    uint16_t PutMessage(const uint8_t* bytes, int32_t length) override;
    uint16_t GetStatus() override;
    void LinkTimer() override;
    void ReadBuffer() override {}
    int16_t GetMessageSize() override;
    int16_t GetMessage(uint8_t* buffer, int32_t capacity) override;

private:
    IClock& clock_;
    mutable std::mutex mutex_;
    mutable std::condition_variable sentChanged_;
    FarEnd farEnd_;
    uint16_t openResult_ = 0;
    bool open_ = false;
    std::vector<SentMessage> sent_;
    std::vector<std::string> openedPaths_;
    int32_t lastBaud_ = 0;
    int resets_ = 0;
    int closes_ = 0;
    std::optional<FarEndReply> pending_;
    bool failAfterAck_ = false;
    bool refuseNextDelivery_ = false;
    uint16_t status_ = 0;
    std::deque<Bytes> inbox_;
    // Replies still on their way at the far end: a reset of the link does not stop them.
    std::deque<std::pair<int64_t, Bytes>> late_;
};

}  // namespace korvanta::test
