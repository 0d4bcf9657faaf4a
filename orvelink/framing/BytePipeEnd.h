#pragma once

#include <memory>

#include "orvelink/framing/ByteQueue.h"
#include "orvelink/framing/ByteTransport.h"

namespace korvanta::orvelink {

// One end of an in-memory byte pipe: reads what the other end wrote and writes what the other
// end reads. Each end may be driven by its own thread.
class BytePipeEnd final : public ByteTransport {
public:
    BytePipeEnd(std::shared_ptr<ByteQueue> incoming, std::shared_ptr<ByteQueue> outgoing);

    std::ptrdiff_t Read(std::span<uint8_t> buffer) override;
    std::ptrdiff_t Write(std::span<const uint8_t> bytes) override;

    // Throws away bytes written to this end that it has not read yet.
    void DiscardIncoming();

private:
    std::shared_ptr<ByteQueue> incoming_;
    std::shared_ptr<ByteQueue> outgoing_;
};

}  // namespace korvanta::orvelink
