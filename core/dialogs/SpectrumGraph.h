#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace korvanta {

// One line of a spectrum graph: from column x to x + 1, in the column's colour (0xRRGGBB).
struct SpectrumSegment {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    uint32_t colour = 0;
};

// The filter dialog's spectrum graphs: a line from (i, bottom - s[i] - 1) to
// (i + 1, bottom - s[i + 1] - 1) for each column i below the graph's width and below 2047,
// in the colour of the station or grey where the applied filters remove the column.
class SpectrumGraph {
public:
    static constexpr int kLastColumn = 2047;
    static constexpr uint32_t kRemovedColour = 0x808080;

    // `heights` may be shorter than the graph; columns without a height and their successor
    // are not drawn.
    static std::vector<SpectrumSegment> Segments(std::span<const int32_t> heights, int width, int bottom,
                                                 uint32_t colour, const std::function<bool(int)>& removed);

    // Colours of the two graphs by sensor pair code: the upper one is sensor 2's station, the
    // lower one sensor 1's; black for a code that is not one of the six.
    static uint32_t UpperColour(uint32_t pairCode);
    static uint32_t LowerColour(uint32_t pairCode);
};

}  // namespace korvanta
