#pragma once

#include <cstdint>

namespace korvanta::orvelink {

// What an endpoint has seen and done; for diagnostics and for tests that check recovery.
struct LinkCounters {
    uint64_t framesSent = 0;
    uint64_t framesReceived = 0;     // valid frames of any type
    uint64_t invalidFrames = 0;      // damaged frames thrown away
    uint64_t echoedFrames = 0;       // our own frames come back: not the far end, ignored
    uint64_t messagesDelivered = 0;  // data frames placed in the receive queue
    uint64_t duplicates = 0;         // data frames received again and acked again
    uint64_t refused = 0;            // data frames not taken because the receive queue was full
    uint64_t retransmissions = 0;
    uint64_t messagesAcknowledged = 0;
    uint64_t messagesFailed = 0;  // given up after the last transmission
    uint64_t readErrors = 0;
    uint64_t writeErrors = 0;
};

}  // namespace korvanta::orvelink
