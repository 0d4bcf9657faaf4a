#pragma once

#include <QImage>
#include <span>

#include "core/threestation/ThreeStationChart.h"

namespace korvanta::gui {

// The chart of the three-station form, painted off screen: the displayed pair's correlation
// trace, or the result chart of the pipe with its three sensors and the leak.
class ThreeStationChartPainter {
public:
    static QImage Blank(QSize size);
    // One green bar per pixel column from the bottom, the trace value clipped to the height.
    static QImage Trace(QSize size, std::span<const int32_t> trace);
    static QImage Result(QSize size, const ThreeStationChartLayout& layout);
};

}  // namespace korvanta::gui
