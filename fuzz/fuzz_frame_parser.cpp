// Feeds arbitrary line bytes to the frame parser, in pieces whose sizes come from the input, and
// then through a link endpoint that answers, acknowledges and retransmits as it would on a line.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "orvelink/framing/ByteTransport.h"
#include "orvelink/framing/FrameEncoder.h"
#include "orvelink/framing/FrameParser.h"
#include "orvelink/framing/LinkEndpoint.h"
#include "orvelink/framing/ManualLinkClock.h"

namespace {

using namespace korvanta::orvelink;

// Hands out the input a few bytes at a time and swallows everything written.
class InputTransport final : public ByteTransport {
public:
    explicit InputTransport(std::span<const uint8_t> input) : input_(input) {}

    std::ptrdiff_t Read(std::span<uint8_t> buffer) override
    {
        const std::size_t count = std::min({buffer.size(), input_.size(), std::size_t{97}});
        std::copy_n(input_.begin(), count, buffer.begin());
        input_ = input_.subspan(count);
        return static_cast<std::ptrdiff_t>(count);
    }
    std::ptrdiff_t Write(std::span<const uint8_t> bytes) override
    {
        written_ += bytes.size();
        return static_cast<std::ptrdiff_t>(bytes.size());
    }
    bool Exhausted() const { return input_.empty(); }

private:
    std::span<const uint8_t> input_;
    std::size_t written_ = 0;
};

void Check(bool condition)
{
    if (!condition) {
        __builtin_trap();
    }
}

void FuzzParser(std::span<const uint8_t> input)
{
    FrameParser parser;
    std::size_t offset = 0;
    std::size_t piece = 1;
    while (offset < input.size()) {
        const std::size_t size = std::min(piece, input.size() - offset);
        std::span<const uint8_t> rest = input.subspan(offset, size);
        while (!rest.empty()) {
            const ParseStep step = parser.Parse(rest);
            Check(step.consumed > 0 && step.consumed <= rest.size());
            rest = rest.subspan(step.consumed);
            if (step.status == ParseStatus::Complete) {
                // A frame the parser accepts encodes and parses back to itself.
                const Frame& frame = parser.LastFrame();
                Check(frame.payload.size() <= kMaxMessageSize);
                FrameParser again;
                const std::vector<uint8_t> line = FrameEncoder::Encode(frame);
                Check(!line.empty());
                const Frame copy = frame;
                Check(again.Parse(line).status == ParseStatus::Complete && again.LastFrame() == copy);
            }
        }
        offset += size;
        piece = piece * 3 % 64 + 1;
    }
}

void FuzzEndpoint(std::span<const uint8_t> input)
{
    InputTransport transport(input);
    ManualLinkClock clock;
    LinkConfig config;
    config.session = 0x4B56;
    config.receiveQueueLimit = 4;
    LinkEndpoint endpoint(transport, clock, config);
    std::vector<uint8_t> buffer(kMaxMessageSize);
    for (int round = 0; round < 64 && !transport.Exhausted(); ++round) {
        clock.Advance(std::chrono::milliseconds(round % 7 * 60));
        endpoint.Poll();
        if (const auto size = endpoint.WaitingMessageSize()) {
            Check(*size <= kMaxMessageSize);
            const auto taken = endpoint.TakeMessage(std::span(buffer).first(*size));
            Check(taken == size);
            endpoint.Send(std::span(buffer).first(*size));  // echo, as a device would answer
        }
        if (round % 5 == 4) {
            endpoint.Reset();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::span<const uint8_t> input(data, size);
    FuzzParser(input);
    FuzzEndpoint(input);
    return 0;
}
