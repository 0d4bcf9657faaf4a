#include "gui/threestation/ThreeStationChartPainter.h"

#include <QPainter>
#include <algorithm>

#include "gui/threestation/PipePicturePainter.h"

namespace korvanta::gui {

namespace {

const QColor kTraceColour(0, 125, 0);
const QColor kDimensionColour(255, 128, 128);
constexpr int kMarkerStroke = 8;
constexpr int kMarkerSpread = 5;
constexpr int kNoteTop = 4;
constexpr int kNoteWeight = 600;

void DrawMarker(QPainter& painter, const PipePicture& pipe, const LeakMarker& marker)
{
    painter.setPen(QPen(Qt::black, 2));
    // Three strokes fanning out from the pipe's edge: down below it, up above it.
    const int edge = marker.above ? pipe.Top() - 2 : pipe.Bottom() + 2;
    const int direction = marker.above ? -1 : 1;
    for (int spread : {-kMarkerSpread, 0, kMarkerSpread}) {
        painter.drawLine(marker.x, edge, marker.x + spread, edge + direction * kMarkerStroke);
    }
}

}  // namespace

QImage ThreeStationChartPainter::Blank(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage ThreeStationChartPainter::Trace(QSize size, std::span<const int32_t> trace)
{
    QImage image = Blank(size);
    QPainter painter(&image);
    painter.setPen(kTraceColour);
    const int columns = std::min(size.width(), static_cast<int>(trace.size()));
    for (int x = 0; x < columns; ++x) {
        const int value = std::clamp(trace[static_cast<size_t>(x)], 0, size.height());
        if (value > 0) {
            painter.drawLine(x, size.height() - value, x, size.height() - 1);
        }
    }
    return image;
}

QImage ThreeStationChartPainter::Result(QSize size, const ThreeStationChartLayout& layout)
{
    QImage image = Blank(size);
    QPainter painter(&image);
    PipePicturePainter pipe(painter, layout.pipe);
    pipe.DrawBand();
    pipe.DrawSensor(layout.pipe.RedX(), PipePicturePainter::kRed);
    if (layout.blueShown) {
        pipe.DrawSensor(layout.blueX, PipePicturePainter::kBlue);
    }
    pipe.DrawSensor(layout.pipe.YellowX(), PipePicturePainter::kYellow);
    for (const LeakMarker& marker : layout.markers) {
        DrawMarker(painter, layout.pipe, marker);
    }
    for (const DimensionLine& line : layout.lines) {
        pipe.DrawDimensionLine(line, kDimensionColour);
    }
    if (!layout.outsideText.empty()) {
        pipe.DrawCentredText(size.width() / 2, layout.outsideY, QString::fromStdString(layout.outsideText));
    }
    pipe.DrawCentredText(size.width() / 2, layout.unitY, QString::fromStdString(layout.unitText));
    if (!layout.note.empty()) {
        pipe.DrawCentredText(size.width() / 2, kNoteTop, QString::fromStdString(layout.note), Qt::red, kNoteWeight);
    }
    return image;
}

}  // namespace korvanta::gui
