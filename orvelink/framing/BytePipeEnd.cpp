#include "orvelink/framing/BytePipeEnd.h"

#include <utility>

namespace korvanta::orvelink {

BytePipeEnd::BytePipeEnd(std::shared_ptr<ByteQueue> incoming, std::shared_ptr<ByteQueue> outgoing)
    : incoming_(std::move(incoming)), outgoing_(std::move(outgoing))
{
}

std::ptrdiff_t BytePipeEnd::Read(std::span<uint8_t> buffer)
{
    return static_cast<std::ptrdiff_t>(incoming_->Pop(buffer));
}

std::ptrdiff_t BytePipeEnd::Write(std::span<const uint8_t> bytes)
{
    return static_cast<std::ptrdiff_t>(outgoing_->Push(bytes));
}

void BytePipeEnd::DiscardIncoming()
{
    incoming_->Clear();
}

}  // namespace korvanta::orvelink
