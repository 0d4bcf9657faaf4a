#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "orvelink/framing/Frame.h"

namespace korvanta::orvelink {

// Timers and limits of one link endpoint. Both ends of a link should use the same values.
struct LinkConfig {
    // Wait for an ack after a data frame has had time to cross the line.
    std::chrono::milliseconds ackTimeout{300};
    // Sends of one data frame (first one included) before the message is given up.
    int maxTransmissions = 8;
    // The same while the far end is heard (a valid frame of it since the message's first send,
    // and not silent): a lossy line that still carries frames both ways is no reason to give up.
    int maxTransmissionsWhileHeard = 32;
    // An endpoint that has sent no frame for this long sends a heartbeat.
    std::chrono::milliseconds heartbeatInterval{500};
    // No valid frame for this long means the far end has stopped answering.
    std::chrono::milliseconds silenceLimit{3000};
    // Line speed used to allow for the time long frames take to cross the line; 0 = none.
    int32_t bitsPerSecond = 57600;
    std::size_t sendQueueLimit = 8;      // messages accepted but not yet acknowledged
    std::size_t receiveQueueLimit = 16;  // messages received but not yet taken
    // Session number of this endpoint's data frames; a random one when not given.
    std::optional<uint16_t> session;
    // The end this endpoint is: its frames carry it, and frames that carry it come back from an
    // echoing line and are ignored. The two ends of a link must be different sides.
    LinkSide side = LinkSide::Host;
};

}  // namespace korvanta::orvelink
