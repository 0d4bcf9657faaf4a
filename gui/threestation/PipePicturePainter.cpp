#include "gui/threestation/PipePicturePainter.h"

#include <QFont>
#include <QFontMetrics>

namespace korvanta::gui {

namespace {

constexpr int kArrowHead = 5;
constexpr int kTextPixels = 14;
constexpr int kLabelGap = 2;

}  // namespace

const QColor PipePicturePainter::kRed(255, 0, 0);
const QColor PipePicturePainter::kBlue(0, 0, 255);
const QColor PipePicturePainter::kYellow(255, 255, 0);

PipePicturePainter::PipePicturePainter(QPainter& painter, const PipePicture& pipe) : painter_(painter), pipe_(pipe) {}

void PipePicturePainter::DrawBand()
{
    const int left = pipe_.RedX();
    const int right = pipe_.YellowX();
    const int half = PipePicture::kBandHeight / 2;
    const int step = 256 / half;
    // Dark at the edges, light in the middle, as a lit round pipe.
    for (int j = 0; j < half; ++j) {
        const int upper = (j * step) % 256;
        const int lower = 255 - j * step;
        painter_.setPen(QColor(upper, upper, upper));
        painter_.drawLine(left, pipe_.Top() + j, right, pipe_.Top() + j);
        painter_.setPen(QColor(lower, lower, lower));
        painter_.drawLine(left, pipe_.Top() + half + j, right, pipe_.Top() + half + j);
    }
    painter_.setPen(Qt::black);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(left, pipe_.Top(), right - left, PipePicture::kBandHeight);
}

void PipePicturePainter::DrawSensor(int x, const QColor& colour)
{
    painter_.setPen(Qt::black);
    painter_.setBrush(colour);
    painter_.drawRect(x - PipePicture::kSensorWidth / 2, pipe_.Top() - PipePicture::kSensorHeight,
                      PipePicture::kSensorWidth, PipePicture::kSensorHeight);
    painter_.setBrush(Qt::NoBrush);
}

void PipePicturePainter::DrawArrowHead(int x, int y, int direction)
{
    // direction -1 points left, +1 right
    painter_.drawLine(x, y, x - direction * kArrowHead, y - kArrowHead);
    painter_.drawLine(x, y, x - direction * kArrowHead, y + kArrowHead);
}

void PipePicturePainter::DrawDimensionLine(const DimensionLine& line, const QColor& colour)
{
    painter_.setPen(colour);
    const int left = std::min(line.x1, line.x2);
    const int right = std::max(line.x1, line.x2);
    painter_.drawLine(left, line.y, right, line.y);
    const bool arrowLeft = line.x1 <= line.x2 ? line.arrowAtX1 : line.arrowAtX2;
    const bool arrowRight = line.x1 <= line.x2 ? line.arrowAtX2 : line.arrowAtX1;
    if (arrowLeft) {
        DrawArrowHead(left, line.y, -1);
    }
    if (arrowRight) {
        DrawArrowHead(right, line.y, +1);
    }
    if (!line.label.empty()) {
        QFont font("Arial");
        font.setPixelSize(kTextPixels);
        const QFontMetrics metrics(font);
        const int top = line.labelBelow ? line.y + kLabelGap : line.y - kLabelGap - metrics.height();
        DrawCentredText((left + right) / 2, top, QString::fromStdString(line.label));
    }
}

void PipePicturePainter::DrawCentredText(int x, int y, const QString& text, const QColor& colour, int weight)
{
    QFont font("Arial");
    font.setPixelSize(kTextPixels);
    font.setWeight(static_cast<QFont::Weight>(weight));
    painter_.setFont(font);
    painter_.setPen(colour);
    painter_.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text);
    painter_.drawText(x - width / 2, y + metrics.ascent(), text);
}

}  // namespace korvanta::gui
