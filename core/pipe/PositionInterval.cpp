#include "core/pipe/PositionInterval.h"

#include <algorithm>
#include <cmath>

#include "core/pipe/CMaterialDatabase.h"
#include "core/pipe/LeakPosition.h"
#include "core/pipe/Pipe.h"

namespace korvanta {

float PositionInterval::HalfWidth() const
{
    return std::max(high - fromStart, fromStart - low);
}

VelocityShares VelocitySharesFor(const PipeSections& pipe, const CMaterialDatabase* materials, float measuredShare)
{
    VelocityShares shares{};
    const int count = GetSectionCount(pipe);
    for (int i = 0; i < count; ++i) {
        const PipeSection& section = pipe[static_cast<size_t>(i)];
        const float table =
            materials != nullptr ? materials->GetVelocityForDiameter(section.materialIndex, section.diameter) : 0.0f;
        // The table's figure as it was proposed (the dialogs keep whole metres per second).
        const bool fromTable = table > 0.0f && std::abs(section.velocity - table) < 0.5f;
        if (fromTable) {
            shares[static_cast<size_t>(i)] = section.velocity < kSoftWallVelocity ? kSoftWallShare : kStiffWallShare;
        } else {
            shares[static_cast<size_t>(i)] = measuredShare;
        }
    }
    return shares;
}

std::optional<PositionInterval> ComputePositionInterval(const PipeSections& pipe, float delay, double delayHalfWidth,
                                                        const VelocityShares& shares)
{
    const int count = GetSectionCount(pipe);
    if (count == 0) {
        return std::nullopt;
    }
    PositionInterval interval;
    interval.fromStart = ComputeLeakPosition(pipe, delay).fromStart;
    interval.low = interval.fromStart;
    interval.high = interval.fromStart;
    // Every corner: each section's velocity at either end of its share, the delay at either end.
    const auto half = static_cast<float>(delayHalfWidth);
    for (uint32_t corner = 0; corner < (1u << count); ++corner) {
        PipeSections varied = pipe;
        for (int i = 0; i < count; ++i) {
            const float share = shares[static_cast<size_t>(i)];
            varied[static_cast<size_t>(i)].velocity *= (corner >> i) & 1u ? 1.0f + share : 1.0f - share;
        }
        for (const float shifted : {delay - half, delay + half}) {
            const float at = ComputeLeakPosition(varied, shifted).fromStart;
            interval.low = std::min(interval.low, at);
            interval.high = std::max(interval.high, at);
        }
    }
    const float length = GetTotalLength(pipe);
    interval.low = std::clamp(interval.low, 0.0f, length);
    interval.high = std::clamp(interval.high, 0.0f, length);
    return interval;
}

}  // namespace korvanta
