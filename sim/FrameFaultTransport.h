#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "orvelink/framing/ByteTransport.h"

namespace korvanta::sim {

// Frames a line has lost or damaged, per direction (out = written by the kit).
struct LineFaultCounters {
    uint64_t framesOut = 0;
    uint64_t framesIn = 0;
    uint64_t lostOut = 0;
    uint64_t lostIn = 0;
    uint64_t corruptedOut = 0;
    uint64_t corruptedIn = 0;
};

// Wraps the kit's side of the line and loses or damages a share of the frames crossing it, both
// ways. Frames are found by their flag bytes, so a frame is lost or damaged whole however the
// link writes it; a damaged frame has one byte changed and fails its check at the far end. The
// choice follows a seeded pseudo-random sequence, so a run can be repeated. Not thread-safe.
class FrameFaultTransport final : public orvelink::ByteTransport {
public:
    FrameFaultTransport(orvelink::ByteTransport& inner, uint64_t seed);

    // Shares in 0..1; their sum at most 1.
    void SetShares(double lose, double corrupt);
    const LineFaultCounters& Counters() const { return counters_; }

    std::ptrdiff_t Read(std::span<uint8_t> buffer) override;
    std::ptrdiff_t Write(std::span<const uint8_t> bytes) override;

private:
    enum class Fate { Pass, Lose, Corrupt };

    // Follows the frames of one direction byte by byte.
    struct Stream {
        bool inFrame = false;
        std::size_t contentBytes = 0;
        Fate fate = Fate::Pass;
        uint64_t random = 0;
        uint64_t frames = 0;
        uint64_t lost = 0;
        uint64_t corrupted = 0;

        // The byte to pass on, or nothing when it is lost.
        std::optional<uint8_t> Process(uint8_t byte, double lose, double corrupt);
        double NextUniform();
    };

    void Publish();

    orvelink::ByteTransport& inner_;
    double lose_ = 0.0;
    double corrupt_ = 0.0;
    Stream out_;
    Stream in_;
    LineFaultCounters counters_;
};

}  // namespace korvanta::sim
