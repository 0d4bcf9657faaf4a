#pragma once

#include <QImage>

#include "core/velocity/RegressionSession.h"

namespace korvanta::gui {

// Paints the regression chart into an image of the chart control's size: white background, the
// delay axis along the bottom, the length axis up the middle, their labels in Arial 15 px, each
// point as a cross (green included, red excluded), the current point circled and, with at least
// two included points, the regression line.
class RegressionChartPainter {
public:
    static constexpr QRgb kIncluded = qRgb(0, 200, 0);
    static constexpr QRgb kExcluded = qRgb(200, 0, 0);
    static constexpr QRgb kCurrent = qRgb(255, 0, 255);
    static constexpr QRgb kLine = qRgb(0, 0, 255);

    static void Paint(QImage& image, const RegressionSession& session);
};

}  // namespace korvanta::gui
