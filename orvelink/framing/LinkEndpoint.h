#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "orvelink/framing/ByteTransport.h"
#include "orvelink/framing/Frame.h"
#include "orvelink/framing/FrameParser.h"
#include "orvelink/framing/LinkClock.h"
#include "orvelink/framing/LinkConfig.h"
#include "orvelink/framing/LinkCounters.h"

namespace korvanta::orvelink {

// One end of a link: sends whole messages stop-and-wait with acknowledgement and bounded
// retransmission, delivers received messages once and in order, and keeps the link alive with
// heartbeats. Both ends run the same class. Not thread-safe: one thread drives an endpoint.
class LinkEndpoint {
public:
    static constexpr uint16_t kStatusUnacknowledged = 2;
    static constexpr uint16_t kStatusLinkFailure = 8;

    // The transport and the clock must outlive the endpoint.
    LinkEndpoint(ByteTransport& transport, const LinkClock& clock, const LinkConfig& config = {});

    LinkEndpoint(const LinkEndpoint&) = delete;
    LinkEndpoint& operator=(const LinkEndpoint&) = delete;

    // Queues a message of up to kMaxMessageSize bytes. False when it is too long or the send
    // queue is full. Accepting a message clears an earlier delivery failure.
    bool Send(std::span<const uint8_t> message);

    // Retransmits, gives up, sends heartbeats and notices a silent far end.
    void ServiceTimers();
    // Reads what the transport holds, acknowledges and queues received messages.
    void ReceiveAvailable();
    // One poll cycle: ServiceTimers then ReceiveAvailable.
    void Poll();

    // kStatusUnacknowledged while a queued message waits for its ack; kStatusLinkFailure while
    // the far end is silent, or after a message was given up until the next Send or Reset.
    uint16_t Status() const;

    // Size of the oldest received message, if one waits.
    std::optional<std::size_t> WaitingMessageSize() const;
    // Copies the oldest message into buffer and removes it. When none waits or it does not
    // fit, returns nothing and keeps the message, so that the caller can fetch it again.
    std::optional<std::size_t> TakeMessage(std::span<uint8_t> buffer);
    std::optional<std::vector<uint8_t>> TakeMessage();

    // After a failed exchange: forgets queued and unacknowledged messages, received messages
    // not yet taken, and a partly received frame. Sequence numbering continues, so the far
    // end never mistakes the next message for a repeat of the last one.
    void Reset();

    const LinkCounters& Counters() const { return counters_; }
    uint16_t Session() const { return session_; }

private:
    using TimePoint = LinkClock::TimePoint;

    struct Outgoing {
        std::vector<uint8_t> bytes;
        bool dataFrame = false;  // a copy of the frame that waits for an ack
    };

    void StartNextMessage(TimePoint now);
    void SendDataCopy(TimePoint now);
    void DropWaitingDataCopies();
    void QueueFrame(const Frame& frame, bool urgent);
    void Flush();
    void HandleFrame(const Frame& frame, TimePoint now);
    void HandleData(const Frame& frame);
    void HandleAck(const Frame& frame, TimePoint now);
    std::chrono::milliseconds WireTime(std::size_t bytes) const;

    ByteTransport& transport_;
    const LinkClock& clock_;
    LinkConfig config_;
    uint16_t session_;
    FrameParser parser_;
    LinkCounters counters_;

    // Sending: the front of sendQueue_ is the message in flight once inFlight_ is set.
    std::deque<std::vector<uint8_t>> sendQueue_;
    bool inFlight_ = false;
    uint8_t nextSequence_ = 0;
    uint8_t inFlightSequence_ = 0;
    std::vector<uint8_t> inFlightFrame_;
    int transmissions_ = 0;
    bool heardDuringMessage_ = false;  // a valid frame of the far end since the first send
    TimePoint ackDeadline_;
    bool deliveryFailed_ = false;

    // Line bytes the transport has not taken yet; the front entry may be partly written.
    std::deque<Outgoing> lineQueue_;
    std::size_t frontWritten_ = 0;
    std::size_t lineBacklog_ = 0;
    bool dataCopyQueued_ = false;
    TimePoint lastFrameSent_;

    // Receiving.
    std::deque<std::vector<uint8_t>> receiveQueue_;
    std::optional<std::pair<uint16_t, uint8_t>> lastDelivered_;  // session, sequence
    TimePoint lastFrameReceived_;
    // Silence is judged from here when this end was not serviced for a while (see ServiceTimers).
    TimePoint listeningSince_;
    TimePoint lastServiced_;
    bool silent_ = false;
};

}  // namespace korvanta::orvelink
