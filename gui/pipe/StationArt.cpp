#include "gui/pipe/StationArt.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>

namespace korvanta::gui {

QColor StationArt::Colour(StationUnit unit)
{
    return QColor::fromRgb(StationColour(unit));
}

QPixmap StationArt::Station(StationUnit unit, const QSize& size)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(picture.rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(QPen(Qt::black, 1.0));
    if (unit == StationUnit::Interface) {
        // A receiver box with its aerial.
        const QRectF box(area.left(), area.center().y() - area.height() * 0.15, area.width(), area.height() * 0.55);
        painter.setBrush(QColor(40, 40, 40));
        painter.drawRoundedRect(box, 2.0, 2.0);
        painter.drawLine(QPointF(box.right() - area.width() * 0.2, box.top()),
                         QPointF(box.right() - area.width() * 0.2, area.top()));
        return picture;
    }
    // A sensor: a coloured housing on a grey pipe stub.
    const qreal stub = area.height() * 0.25;
    painter.setBrush(QColor(160, 160, 160));
    painter.drawRect(QRectF(area.left(), area.bottom() - stub, area.width(), stub));
    painter.setBrush(Colour(unit));
    const qreal side = std::min(area.width() * 0.7, area.height() - stub);
    painter.drawEllipse(QRectF(area.center().x() - side / 2, area.bottom() - stub - side, side, side));
    return picture;
}

QColor StationArt::MaterialColour(int index)
{
    static constexpr std::array<QRgb, 20> kColours = {
        0x8c8c8c, 0xc46a1f, 0x4a4a8c, 0x2f7d32, 0x5d4037, 0x7cb342, 0x78909c, 0x00897b, 0x9e9d24, 0xbdbdbd,
        0x1565c0, 0xad1457, 0x6a1b9a, 0xef6c00, 0x00838f, 0xc62828, 0x4e342e, 0x283593, 0x558b2f, 0xf9a825,
    };
    if (index < 0 || index >= static_cast<int>(kColours.size()))
        return Qt::black;
    return QColor::fromRgb(kColours[static_cast<size_t>(index)]);
}

QPixmap StationArt::MaterialSwatch(int index, int pixels)
{
    QPixmap swatch(pixels, pixels);
    swatch.fill(Qt::transparent);
    QPainter painter(&swatch);
    painter.setPen(Qt::black);
    painter.setBrush(MaterialColour(index));
    painter.drawRect(0, 0, pixels - 1, pixels - 1);
    return swatch;
}

}  // namespace korvanta::gui
