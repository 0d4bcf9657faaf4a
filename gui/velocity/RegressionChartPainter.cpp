#include "gui/velocity/RegressionChartPainter.h"

#include <QFont>
#include <QPainter>

#include "core/velocity/RegressionChart.h"
#include "gui/forms/FormControls.h"

namespace korvanta::gui {

namespace {

constexpr int kLabelPixels = 15;
constexpr int kCrossHalf = 4;      // 8 × 8 pixels
constexpr int kCircleRadius = 10;  // 20 pixels across
constexpr int kTextGap = 6;

QFont LabelFont()
{
    // Arial where the system has it; Liberation Sans has its metrics.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(kLabelPixels);
    return font;
}

QPoint Pixel(const ChartArea& area, const RegressionChartScale& scale, float delay, float length)
{
    const auto [x, y] = ChartPixel(area, scale, delay, length);
    return {static_cast<int>(x), static_cast<int>(y)};
}

void PaintAxes(QPainter& painter, const ChartArea& area, const RegressionChartScale& scale)
{
    painter.setPen(QPen(Qt::black, 1));
    const int middle = area.controlWidth / 2;
    painter.drawLine(area.left, area.bottom, area.right, area.bottom);
    for (const ChartTick& tick : DelayTicks(area, scale)) {
        painter.drawLine(tick.position, area.bottom, tick.position, area.bottom + tick.size);
    }
    painter.drawLine(middle, area.bottom, middle, area.top);
    for (const ChartTick& tick : LengthTicks(area, scale)) {
        painter.drawLine(middle - tick.size, tick.position, middle + tick.size, tick.position);
    }
}

void PaintLabels(QPainter& painter, const ChartArea& area, const RegressionChartScale& scale,
                 const RegressionChartLabels& labels, int height)
{
    painter.setPen(Qt::black);
    const int middle = area.controlWidth / 2;
    const QRect below(0, area.bottom + kTextGap, area.controlWidth, height - area.bottom - kTextGap);
    painter.drawText(below, Qt::AlignHCenter | Qt::AlignTop, FromUtf8(labels.delayTitle));
    painter.drawText(below.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, FromUtf8(labels.left));
    painter.drawText(below.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignTop, FromUtf8(labels.right));

    const QRect above(0, 0, area.controlWidth, area.top - kTextGap - kLabelPixels / 2);
    painter.drawText(above, Qt::AlignHCenter | Qt::AlignBottom, FromUtf8(labels.lengthTitle));
    const int lineHeight = painter.fontMetrics().height();
    const auto beside = [&](int y, const std::string& text) {
        painter.drawText(QRect(middle + kTextGap, y - lineHeight / 2, area.right - middle, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, FromUtf8(text));
    };
    beside(area.top, labels.top);
    beside(Pixel(area, scale, 0.0f, scale.lengthSpan / 2.0f).y(), labels.middle);
}

void PaintPoints(QPainter& painter, const ChartArea& area, const RegressionChartScale& scale,
                 const RegressionSession& session)
{
    const auto points = session.Data().Points();
    for (const RegressionPoint& point : points) {
        painter.setPen(QPen(
            QColor(point.included == 1 ? RegressionChartPainter::kIncluded : RegressionChartPainter::kExcluded), 2));
        const QPoint at = Pixel(area, scale, point.delay, point.length);
        painter.drawLine(at + QPoint(-kCrossHalf, -kCrossHalf), at + QPoint(kCrossHalf, kCrossHalf));
        painter.drawLine(at + QPoint(-kCrossHalf, kCrossHalf), at + QPoint(kCrossHalf, -kCrossHalf));
    }
    if (!points.empty()) {
        const RegressionPoint& current = points[session.Current()];
        painter.setPen(QPen(QColor(RegressionChartPainter::kCurrent), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(Pixel(area, scale, current.delay, current.length), kCircleRadius, kCircleRadius);
    }
}

}  // namespace

void RegressionChartPainter::Paint(QImage& image, const RegressionSession& session)
{
    if (image.isNull()) {
        return;
    }
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(LabelFont());
    const ChartArea area = ChartArea::ForControl(image.width(), image.height());
    const auto points = session.Data().Points();
    const RegressionChartScale scale = MakeRegressionChartScale(points);

    PaintAxes(painter, area, scale);
    PaintLabels(painter, area, scale, MakeRegressionChartLabels(scale, session.Units(), session.Time()),
                image.height());
    const RegressionFit& fit = session.Data().Fit();
    if (fit.HasLine()) {
        const ChartLine line = RegressionLineEnds(fit, scale, points);
        painter.setPen(QPen(QColor(kLine), 1));
        painter.drawLine(Pixel(area, scale, line.delay1, line.length1), Pixel(area, scale, line.delay2, line.length2));
    }
    PaintPoints(painter, area, scale, session);
}

}  // namespace korvanta::gui
