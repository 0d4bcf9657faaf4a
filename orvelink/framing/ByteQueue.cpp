#include "orvelink/framing/ByteQueue.h"

#include <algorithm>

namespace korvanta::orvelink {

ByteQueue::ByteQueue(std::size_t capacity) : capacity_(capacity) {}

std::size_t ByteQueue::Push(std::span<const uint8_t> bytes)
{
    std::lock_guard lock(mutex_);
    const std::size_t count = std::min(bytes.size(), capacity_ - bytes_.size());
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count));
    return count;
}

std::size_t ByteQueue::Pop(std::span<uint8_t> buffer)
{
    std::lock_guard lock(mutex_);
    const std::size_t count = std::min(buffer.size(), bytes_.size());
    const auto end = bytes_.begin() + static_cast<std::ptrdiff_t>(count);
    std::copy(bytes_.begin(), end, buffer.begin());
    bytes_.erase(bytes_.begin(), end);
    return count;
}

std::size_t ByteQueue::Size() const
{
    std::lock_guard lock(mutex_);
    return bytes_.size();
}

void ByteQueue::Clear()
{
    std::lock_guard lock(mutex_);
    bytes_.clear();
}

}  // namespace korvanta::orvelink
