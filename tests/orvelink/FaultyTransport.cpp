#include "tests/orvelink/FaultyTransport.h"

#include <vector>

#include "orvelink/framing/Frame.h"

namespace korvanta::orvelink::test {

bool FaultyTransport::Hit(int oneIn)
{
    if (oneIn <= 0) {
        return false;
    }
    random_ = random_ * 1664525u + 1013904223u;
    return (random_ >> 8) % static_cast<uint32_t>(oneIn) == 0;
}

std::ptrdiff_t FaultyTransport::Write(std::span<const uint8_t> bytes)
{
    const auto offered = static_cast<std::ptrdiff_t>(bytes.size());
    const bool isAck = bytes.size() > 1 && bytes[0] == kFrameFlag && TypeOfByte(bytes[1]) == FrameType::Ack;
    if (silent_ || Hit(dropWriteOneIn_) || (isAck && acksToDrop_ > 0 && acksToDrop_--)) {
        bytesDamaged_ += bytes.size();
        return offered;
    }
    std::vector<uint8_t> passed;
    passed.reserve(bytes.size());
    for (uint8_t byte : bytes) {
        if (Hit(dropByteOneIn_)) {
            ++bytesDamaged_;
            continue;
        }
        if (Hit(corruptByteOneIn_)) {
            ++bytesDamaged_;
            byte ^= 0x24;
        }
        passed.push_back(byte);
    }
    // Whatever the line cannot take is lost as well, like bytes sent to a full receiver.
    std::span<const uint8_t> rest(passed);
    while (!rest.empty()) {
        const std::ptrdiff_t written = inner_.Write(rest);
        if (written <= 0) {
            break;
        }
        rest = rest.subspan(static_cast<std::size_t>(written));
    }
    return offered;
}

}  // namespace korvanta::orvelink::test
