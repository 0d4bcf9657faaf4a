#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <vector>

#include "core/link/ForwardingLinkLibrary.h"

namespace korvanta::bench {

// One message through the link library: a request handed over or a reply taken out.
struct LinkEvent {
    double seconds = 0.0;  // since the recorder was made
    bool request = false;
    uint8_t opcode = 0;
    int32_t size = 0;
};

// The real link library with a stopwatch on it: every message the program sends and every reply
// it takes is noted with its time, so a measurement's time can be split into its steps.
class TimedLinkLibrary final : public ForwardingLinkLibrary {
public:
    explicit TimedLinkLibrary(ILinkLibrary& inner);

    std::vector<LinkEvent> Events() const;
    double Now() const;

    uint16_t PutMessage(const uint8_t* bytes, int32_t length) override;
    int16_t GetMessage(uint8_t* buffer, int32_t capacity) override;

private:
    void Note(bool request, const uint8_t* bytes, int32_t size);

    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    mutable std::mutex mutex_;
    std::vector<LinkEvent> events_;
};

}  // namespace korvanta::bench
