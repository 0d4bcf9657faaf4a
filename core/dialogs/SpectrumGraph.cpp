#include "core/dialogs/SpectrumGraph.h"

#include <algorithm>

#include "core/dialogs/StationPair.h"

namespace korvanta {

namespace {

// Heights far outside any picture are held to a range where the subtraction cannot overflow.
int Height(int32_t value)
{
    return std::clamp<int32_t>(value, -(1 << 20), 1 << 20);
}

}  // namespace

std::vector<SpectrumSegment> SpectrumGraph::Segments(std::span<const int32_t> heights, int width, int bottom,
                                                     uint32_t colour, const std::function<bool(int)>& removed)
{
    std::vector<SpectrumSegment> segments;
    const int columns = std::min({width, kLastColumn, static_cast<int>(heights.size()) - 1});
    for (int i = 0; i < columns; ++i) {
        SpectrumSegment segment;
        segment.x0 = i;
        segment.y0 = bottom - Height(heights[static_cast<size_t>(i)]) - 1;
        segment.x1 = i + 1;
        segment.y1 = bottom - Height(heights[static_cast<size_t>(i) + 1]) - 1;
        segment.colour = removed && removed(i) ? kRemovedColour : colour;
        segments.push_back(segment);
    }
    return segments;
}

uint32_t SpectrumGraph::UpperColour(uint32_t pairCode)
{
    const auto pair = PairOfCode(pairCode);
    return pair ? StationColour(pair->sensor2) : 0x000000;
}

uint32_t SpectrumGraph::LowerColour(uint32_t pairCode)
{
    const auto pair = PairOfCode(pairCode);
    return pair ? StationColour(pair->sensor1) : 0x000000;
}

}  // namespace korvanta
