#include "gui/view/CorrelationGraphPainter.h"

#include <QPainter>

#include <algorithm>

#include "core/view/CorrelationDisplay.h"

namespace korvanta::gui {

namespace {

// One full-height column in a 32-bit image, written directly: 620 of them per redraw.
void FillColumn(QImage& image, int x, int fromY, int toY, QRgb colour)
{
    for (int y = fromY; y < toY; ++y) {
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = colour;
    }
}

// A triangle pointing down from the top edge at image column x.
void DrawMarker(QImage& image, int x, int halfWidth, QRgb colour)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(colour));
    const QPointF corners[] = {{x - halfWidth + 0.5, 0.0}, {x + halfWidth + 0.5, 0.0},
                               {x + 0.5, static_cast<double>(halfWidth) + 1.0}};
    painter.drawPolygon(corners, 3);
}

}  // namespace

void CorrelationGraphPainter::PaintBlank(QImage& image)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QColor(0xc8, 0xc8, 0xc8));
    const int centre = image.width() / 2;
    painter.drawLine(centre, 0, centre, image.height() - 1);
    painter.drawLine(0, image.height() - 1, image.width() - 1, image.height() - 1);
}

void CorrelationGraphPainter::Paint(QImage& image, const CorrelationDisplay& display, std::span<const int32_t> trace)
{
    if (image.isNull()) {
        return;
    }
    if (!display.GraphShown()) {
        PaintBlank(image);
        return;
    }
    image.fill(Qt::white);
    const int height = image.height();
    const int columns = std::min<int>(display.GraphWidth(), static_cast<int>(trace.size()));
    const int offset = Offset(image.width(), display.GraphWidth());
    for (int i = 0; i < columns && offset + i < image.width(); ++i) {
        const int h = std::clamp<int32_t>(trace[static_cast<size_t>(i)], 0, height);
        FillColumn(image, offset + i, height - h, height, kTraceColour);
    }
    for (int column : display.CandidateColumns()) {
        if (column >= 0 && column < display.GraphWidth() && offset + column < image.width()) {
            DrawMarker(image, offset + column, kMarkerHalfWidth, kCandidateMarker);
        }
    }
    const auto drawColumn = [&](int column, QRgb colour) {
        if (column >= 0 && column < display.GraphWidth() && offset + column < image.width()) {
            FillColumn(image, offset + column, 0, height, colour);
        }
    };
    drawColumn(display.Cursor().Column(), display.CursorOutside() ? kCursorOutside : kCursorInside);
    if (const std::optional<int> start = display.Delimitation().PendingStart()) {
        drawColumn(*start, kDelimitationStart);
    }
}

}  // namespace korvanta::gui
