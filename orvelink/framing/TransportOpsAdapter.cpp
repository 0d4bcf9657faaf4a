#include "orvelink/framing/TransportOpsAdapter.h"

#include <cstddef>
#include <span>

#include "orvelink/framing/BytePipeEnd.h"

namespace korvanta::orvelink {

namespace {

int32_t OpenTransport(void* context, int32_t /*baud*/)
{
    if (auto* pipeEnd = dynamic_cast<BytePipeEnd*>(static_cast<ByteTransport*>(context))) {
        pipeEnd->DiscardIncoming();
    }
    return 0;
}

int32_t ReadTransport(void* context, uint8_t* buffer, int32_t capacity)
{
    if (buffer == nullptr || capacity <= 0) {
        return 0;
    }
    const std::ptrdiff_t read =
        static_cast<ByteTransport*>(context)->Read(std::span(buffer, static_cast<std::size_t>(capacity)));
    return read < 0 ? -1 : static_cast<int32_t>(read);
}

int32_t WriteTransport(void* context, const uint8_t* bytes, int32_t length)
{
    if (bytes == nullptr || length <= 0) {
        return 0;
    }
    const std::ptrdiff_t written =
        static_cast<ByteTransport*>(context)->Write(std::span(bytes, static_cast<std::size_t>(length)));
    return written < 0 ? -1 : static_cast<int32_t>(written);
}

constexpr orvelink_transport_ops kOps = {OpenTransport, ReadTransport, WriteTransport, nullptr};

}  // namespace

const orvelink_transport_ops& TransportOpsAdapter::Ops()
{
    return kOps;
}

}  // namespace korvanta::orvelink
