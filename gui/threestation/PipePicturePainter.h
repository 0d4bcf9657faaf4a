#pragma once

#include <QColor>
#include <QPainter>
#include <QString>

#include "core/threestation/ThreeStationChart.h"

namespace korvanta::gui {

// Draws the pipe of the three-station pictures: the band with its grey gradient and the
// sensor boxes standing on it, and the dimension lines and texts around them.
class PipePicturePainter {
public:
    static const QColor kRed;
    static const QColor kBlue;
    static const QColor kYellow;

    PipePicturePainter(QPainter& painter, const PipePicture& pipe);

    void DrawBand();
    void DrawSensor(int x, const QColor& colour);
    // A horizontal dimension line with 5-pixel arrow heads where asked and its label centred
    // just above it.
    void DrawDimensionLine(const DimensionLine& line, const QColor& colour);
    // A text centred on x with its top at y (Arial 14 pixels, transparent).
    void DrawCentredText(int x, int y, const QString& text, const QColor& colour = Qt::black, int weight = 400);

private:
    void DrawArrowHead(int x, int y, int direction);

    QPainter& painter_;
    PipePicture pipe_;
};

}  // namespace korvanta::gui
