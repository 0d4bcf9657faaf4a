#include "gui/threestation/SetupPictureWidget.h"

#include <QPainter>

#include "core/threestation/ThreeStationChart.h"
#include "gui/threestation/PipePicturePainter.h"

namespace korvanta::gui {

namespace {

constexpr int kPositionGap = 4;  // between a position text and the top of its box

QColor Colour(SetupPictureLayout::Sensor sensor)
{
    switch (sensor) {
    case SetupPictureLayout::Sensor::Red:
        return PipePicturePainter::kRed;
    case SetupPictureLayout::Sensor::Blue:
        return PipePicturePainter::kBlue;
    case SetupPictureLayout::Sensor::Yellow:
        break;
    }
    return PipePicturePainter::kYellow;
}

}  // namespace

SetupPictureWidget::SetupPictureWidget(int page, UnitSystem units, std::function<std::pair<float, float>()> distances,
                                       QWidget* parent)
    : QWidget(parent), page_(page), units_(units), distances_(std::move(distances))
{
    setMinimumSize(300, 150);
}

void SetupPictureWidget::paintEvent(QPaintEvent*)
{
    const auto [redBlue, redYellow] = distances_ ? distances_() : std::pair{0.0f, 0.0f};
    const SetupPictureLayout layout = LayOutSetupPicture(width(), height(), page_, redBlue, redYellow, units_);
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PipePicturePainter pipe(painter, layout.pipe);
    pipe.DrawBand();
    for (const SetupPictureLayout::Box& box : layout.boxes) {
        pipe.DrawSensor(box.x, Colour(box.sensor));
        if (!box.position.empty()) {
            const int top = layout.pipe.Top() - PipePicture::kSensorHeight - kPositionGap - 16;
            pipe.DrawCentredText(box.x, top, QString::fromStdString(box.position));
        }
    }
    for (const DimensionLine& line : layout.lines) {
        pipe.DrawDimensionLine(line, Qt::black);
    }
    pipe.DrawCentredText(width() / 2, layout.unitY, QString::fromStdString(layout.unitText));
}

}  // namespace korvanta::gui
