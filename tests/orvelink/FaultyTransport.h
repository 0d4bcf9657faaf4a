#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "orvelink/framing/ByteTransport.h"

namespace korvanta::orvelink::test {

// Wraps a transport and damages what is written through it: drops or corrupts one byte in n,
// drops one write in n (one write carries one frame), drops the next acks, or drops all.
// Which bytes are hit follows a fixed pseudo-random sequence: a strictly periodic pattern could
// hit the same byte of every retransmitted copy, which no real line does.
class FaultyTransport final : public ByteTransport {
public:
    explicit FaultyTransport(ByteTransport& inner) : inner_(inner) {}

    void DropOneByteIn(int n) { dropByteOneIn_ = n; }
    void CorruptOneByteIn(int n) { corruptByteOneIn_ = n; }
    void DropOneWriteIn(int n) { dropWriteOneIn_ = n; }
    void DropNextAcks(int count) { acksToDrop_ = count; }
    void SetSilent(bool silent) { silent_ = silent; }

    std::ptrdiff_t Read(std::span<uint8_t> buffer) override { return inner_.Read(buffer); }
    std::ptrdiff_t Write(std::span<const uint8_t> bytes) override;

    uint64_t BytesDamaged() const { return bytesDamaged_; }

private:
    bool Hit(int oneIn);

    ByteTransport& inner_;
    int dropByteOneIn_ = 0;
    int corruptByteOneIn_ = 0;
    int dropWriteOneIn_ = 0;
    int acksToDrop_ = 0;
    bool silent_ = false;
    uint32_t random_ = 12345;
    uint64_t bytesDamaged_ = 0;
};

}  // namespace korvanta::orvelink::test
