#include "orvelink/src/RegisteredTransport.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace korvanta::orvelink {

namespace {
constexpr std::size_t kMaxChunk = static_cast<std::size_t>(std::numeric_limits<int32_t>::max());
}

RegisteredTransport::RegisteredTransport(const orvelink_transport_ops& ops, void* context)
    : ops_(ops), context_(context)
{
}

RegisteredTransport::~RegisteredTransport()
{
    if (ops_.close != nullptr) {
        ops_.close(context_);
    }
}

std::ptrdiff_t RegisteredTransport::Read(std::span<uint8_t> buffer)
{
    const auto capacity = static_cast<int32_t>(std::min(buffer.size(), kMaxChunk));
    const int32_t read = ops_.read(context_, buffer.data(), capacity);
    // A count beyond the capacity would mean the host overran our buffer; treat it as failure.
    if (read < 0 || read > capacity) {
        return -1;
    }
    return read;
}

std::ptrdiff_t RegisteredTransport::Write(std::span<const uint8_t> bytes)
{
    const auto length = static_cast<int32_t>(std::min(bytes.size(), kMaxChunk));
    const int32_t written = ops_.write(context_, bytes.data(), length);
    if (written < 0 || written > length) {
        return -1;
    }
    return written;
}

}  // namespace korvanta::orvelink
