#include "bench/TimedLinkLibrary.h"

namespace korvanta::bench {

TimedLinkLibrary::TimedLinkLibrary(ILinkLibrary& inner) : ForwardingLinkLibrary(inner) {}

double TimedLinkLibrary::Now() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

std::vector<LinkEvent> TimedLinkLibrary::Events() const
{
    std::lock_guard lock(mutex_);
    return events_;
}

void TimedLinkLibrary::Note(bool request, const uint8_t* bytes, int32_t size)
{
    if (bytes == nullptr || size <= 0) {
        return;
    }
    std::lock_guard lock(mutex_);
    events_.push_back({Now(), request, bytes[0], size});
}

uint16_t TimedLinkLibrary::PutMessage(const uint8_t* bytes, int32_t length)
{
    Note(true, bytes, length);
    return ForwardingLinkLibrary::PutMessage(bytes, length);
}

int16_t TimedLinkLibrary::GetMessage(uint8_t* buffer, int32_t capacity)
{
    const int16_t size = ForwardingLinkLibrary::GetMessage(buffer, capacity);
    if (size > 0) {
        Note(false, buffer, size);
    }
    return size;
}

}  // namespace korvanta::bench
