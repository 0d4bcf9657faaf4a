#include "sim/FrameFaultTransport.h"

#include <algorithm>
#include <vector>

#include "orvelink/framing/Frame.h"

namespace korvanta::sim {

namespace {

// The content byte a damaged frame has changed: the sequence number, right after the type.
constexpr std::size_t kDamagedByte = 2;

uint64_t SplitMix(uint64_t& state)
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint8_t Damaged(uint8_t byte)
{
    // One changed bit, unless that would make a flag or an escape: the frame must still end
    // where it did, so that only this frame is spoilt.
    uint8_t changed = byte ^ 0x01;
    if (changed == orvelink::kFrameFlag || changed == orvelink::kFrameEscape) {
        changed = byte ^ 0x10;
    }
    return changed;
}

}  // namespace

FrameFaultTransport::FrameFaultTransport(orvelink::ByteTransport& inner, uint64_t seed) : inner_(inner)
{
    out_.random = seed * 2 + 1;
    in_.random = seed * 2 + 2;
}

void FrameFaultTransport::SetShares(double lose, double corrupt)
{
    lose_ = std::clamp(lose, 0.0, 1.0);
    corrupt_ = std::clamp(corrupt, 0.0, 1.0 - lose_);
}

double FrameFaultTransport::Stream::NextUniform()
{
    return static_cast<double>(SplitMix(random) >> 11) * 0x1.0p-53;
}

std::optional<uint8_t> FrameFaultTransport::Stream::Process(uint8_t byte, double lose, double corrupt)
{
    if (byte == orvelink::kFrameFlag) {
        if (inFrame && contentBytes > 0) {
            inFrame = false;  // the closing flag
            return fate == Fate::Lose ? std::nullopt : std::optional<uint8_t>(byte);
        }
        if (!inFrame) {
            inFrame = true;
            contentBytes = 0;
            const double draw = NextUniform();
            fate = draw < lose ? Fate::Lose : (draw < lose + corrupt ? Fate::Corrupt : Fate::Pass);
            ++frames;
            lost += fate == Fate::Lose ? 1 : 0;
            corrupted += fate == Fate::Corrupt ? 1 : 0;
        }
        return fate == Fate::Lose ? std::nullopt : std::optional<uint8_t>(byte);
    }
    if (!inFrame) {
        return byte;  // noise between frames passes as it is
    }
    ++contentBytes;
    if (fate == Fate::Lose) {
        return std::nullopt;
    }
    if (fate == Fate::Corrupt && contentBytes == kDamagedByte) {
        return Damaged(byte);
    }
    return byte;
}

std::ptrdiff_t FrameFaultTransport::Read(std::span<uint8_t> buffer)
{
    for (;;) {
        const std::ptrdiff_t read = inner_.Read(buffer);
        if (read <= 0) {
            return read;
        }
        std::size_t kept = 0;
        for (std::size_t i = 0; i < static_cast<std::size_t>(read); ++i) {
            if (const auto byte = in_.Process(buffer[i], lose_, corrupt_)) {
                buffer[kept++] = *byte;
            }
        }
        Publish();
        // Everything read was lost: look again, so that lost bytes do not pass for an idle line.
        if (kept > 0) {
            return static_cast<std::ptrdiff_t>(kept);
        }
    }
}

std::ptrdiff_t FrameFaultTransport::Write(std::span<const uint8_t> bytes)
{
    // Run the bytes through a copy first: when the line takes only part of them, the rest must
    // meet the same fate when they are offered again.
    Stream trial = out_;
    std::vector<uint8_t> passed;
    std::vector<std::size_t> offeredThrough;  // offered bytes used up once passed[i] is written
    passed.reserve(bytes.size());
    offeredThrough.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (const auto byte = trial.Process(bytes[i], lose_, corrupt_)) {
            passed.push_back(*byte);
            offeredThrough.push_back(i + 1);
        }
    }
    std::size_t written = 0;
    if (!passed.empty()) {
        const std::ptrdiff_t result = inner_.Write(passed);
        if (result < 0) {
            return result;
        }
        written = std::min(static_cast<std::size_t>(result), passed.size());
    }
    if (written == passed.size()) {
        out_ = trial;
        Publish();
        return static_cast<std::ptrdiff_t>(bytes.size());
    }
    const std::size_t used = written == 0 ? 0 : offeredThrough[written - 1];
    for (std::size_t i = 0; i < used; ++i) {
        out_.Process(bytes[i], lose_, corrupt_);
    }
    Publish();
    return static_cast<std::ptrdiff_t>(used);
}

void FrameFaultTransport::Publish()
{
    counters_.framesOut = out_.frames;
    counters_.lostOut = out_.lost;
    counters_.corruptedOut = out_.corrupted;
    counters_.framesIn = in_.frames;
    counters_.lostIn = in_.lost;
    counters_.corruptedIn = in_.corrupted;
}

}  // namespace korvanta::sim
