#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <limits>
#include <span>
#include <vector>

#include "orvelink/framing/ByteTransport.h"

namespace korvanta::sim::test {

// The far side of a line for transport wrappers: keeps what is written (taking at most
// `writeLimit` bytes per call) and hands out what the test has queued for reading.
class LineTestTransport final : public orvelink::ByteTransport {
public:
    std::ptrdiff_t Read(std::span<uint8_t> buffer) override
    {
        const std::size_t count = std::min(buffer.size(), toRead.size());
        std::copy_n(toRead.begin(), count, buffer.begin());
        toRead.erase(toRead.begin(), toRead.begin() + static_cast<std::ptrdiff_t>(count));
        return static_cast<std::ptrdiff_t>(count);
    }

    std::ptrdiff_t Write(std::span<const uint8_t> bytes) override
    {
        const std::size_t count = std::min(bytes.size(), writeLimit);
        written.insert(written.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
        return static_cast<std::ptrdiff_t>(count);
    }

    std::vector<uint8_t> written;
    std::deque<uint8_t> toRead;
    std::size_t writeLimit = std::numeric_limits<std::size_t>::max();
};

}  // namespace korvanta::sim::test
