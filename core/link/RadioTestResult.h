#pragma once

#include <array>
#include <cstdint>

namespace korvanta {

// The last radio-test reply as received, with its outcome.
struct RadioTestResult {
    static constexpr int kReplyBytes = 14;

    std::array<uint8_t, kReplyBytes> reply = {};
    uint8_t ok = 0;    // the exchange succeeded and `reply` holds its bytes
    uint8_t done = 0;  // the test has finished, successfully or not
};

}  // namespace korvanta
