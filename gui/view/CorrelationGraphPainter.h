#pragma once

#include <QImage>

#include <cstdint>
#include <span>

namespace korvanta {
class CorrelationDisplay;
}

namespace korvanta::gui {

// Paints the correlation graph into an image of the picture's client size: the trace's columns
// centred in it, dark green from the bottom up to each column's height and white above, then
// a small grey triangle at the top over each further peak, the cursor over the full height
// (black inside the pipe's window, red outside) and a pending delimitation start in orange. Before any result the image shows the blank graph.
class CorrelationGraphPainter {
public:
    static constexpr QRgb kTraceColour = qRgb(0, 125, 0);
    static constexpr QRgb kCursorInside = qRgb(0, 0, 0);
    static constexpr QRgb kCursorOutside = qRgb(200, 0, 0);
    static constexpr QRgb kDelimitationStart = qRgb(255, 102, 0);
    static constexpr QRgb kCandidateMarker = qRgb(112, 120, 136);
    // A further peak's triangle: this many pixels either side of its column, and as tall.
    static constexpr int kMarkerHalfWidth = 3;

    // The image column of trace column 0 in an image `imageWidth` wide for `columns` columns.
    static int Offset(int imageWidth, int columns) { return imageWidth > columns ? (imageWidth - columns) / 2 : 0; }

    static void Paint(QImage& image, const CorrelationDisplay& display, std::span<const int32_t> trace);
    static void PaintBlank(QImage& image);
};

}  // namespace korvanta::gui
