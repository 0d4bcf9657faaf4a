#pragma once

#include <deque>
#include <memory>
#include <mutex>

#include "orvelink/framing/ByteTransport.h"
#include "orvelink/framing/LinkClock.h"
#include "orvelink/framing/LinkCounters.h"
#include "orvelink/framing/LinkEndpoint.h"
#include "sim/FieldKit.h"
#include "sim/FrameFaultTransport.h"
#include "sim/PacedTransport.h"
#include "sim/scenario/KitTimeline.h"

namespace korvanta::sim {

// The kit's end of the line: the device side of the link framing over a byte transport, handing
// each received message to the field kit and sending its reply once the reply is due. Paced
// options put a 57600-baud line between the two; line faults lose or damage a share of the frames.
// A scenario's timeline is played on the kit at every poll, its times counted from construction.
// While the kit is silent nothing is answered or written, so the far end sees a dead link; what
// reaches the line meanwhile is lost, as it would be on a unit without power.
// Poll may run on any one thread at a time; every operation is thread-safe.
class KitDevice {
public:
    // The line, the kit and the clock must outlive the device.
    KitDevice(orvelink::ByteTransport& line, FieldKit& kit, const orvelink::LinkClock& clock,
              const KitOptions& options);

    // One cycle: the link's timers and received bytes, new requests, due replies.
    void Poll();
    // The host opened the line afresh: forget partial frames, queued messages and pending replies.
    void Reconnect();

    void SetLineFaults(const LineFaultShares& shares);
    LineFaultCounters LineCounters() const;
    orvelink::LinkCounters LinkCounters() const;
    // Replies produced but not yet handed to the link.
    std::size_t PendingReplies() const;

private:
    void DiscardIncoming();
    void PlayTimeline();

    mutable std::mutex mutex_;
    orvelink::ByteTransport& line_;
    FieldKit& kit_;
    const orvelink::LinkClock& clock_;
    std::unique_ptr<PacedTransport> paced_;
    FrameFaultTransport faults_;
    orvelink::LinkEndpoint endpoint_;
    std::deque<KitReply> pending_;

    std::mutex timelineMutex_;  // taken before, never inside, mutex_
    std::unique_ptr<KitTimeline> timeline_;
    orvelink::LinkClock::TimePoint started_{};
};

}  // namespace korvanta::sim
