#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>

namespace korvanta::orvelink {

// A bounded first-in first-out byte buffer that one thread may fill while another drains it.
class ByteQueue {
public:
    explicit ByteQueue(std::size_t capacity);

    // Takes as many bytes as there is room for and returns that count.
    std::size_t Push(std::span<const uint8_t> bytes);
    // Moves up to buffer.size() bytes out and returns the count.
    std::size_t Pop(std::span<uint8_t> buffer);
    std::size_t Size() const;
    void Clear();

private:
    mutable std::mutex mutex_;
    std::deque<uint8_t> bytes_;
    std::size_t capacity_;
};

}  // namespace korvanta::orvelink
