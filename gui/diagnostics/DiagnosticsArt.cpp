#include "gui/diagnostics/DiagnosticsArt.h"

#include <QPainter>
#include <QPainterPath>

#include "core/diagnostics/SystemStatusImages.h"
#include "gui/pipe/StationArt.h"

namespace korvanta::gui {

namespace {

const QColor kOutline(0x2b, 0x2b, 0x2b);
const QColor kLight(0xf4, 0xf4, 0xf4);
const QColor kMid(0xc8, 0xc8, 0xc8);
const QColor kDark(0x5a, 0x5a, 0x5a);
const QColor kCross(0xd0, 0x20, 0x20);

QPixmap Blank(const QSize& size)
{
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    return picture;
}

void DrawCross(QPainter& painter, const QRectF& area)
{
    painter.setPen(QPen(kCross, 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(area.topLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomLeft());
}

}  // namespace

QPixmap DiagnosticsArt::Unit(int unit, bool present, const QSize& size)
{
    QPixmap picture = StationArt::Station(static_cast<StationUnit>(unit), size);
    if (present) {
        return picture;
    }
    QPainter painter(&picture);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.fillRect(picture.rect(), QColor(200, 200, 200, 190));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawCross(painter, QRectF(picture.rect()).adjusted(4, 4, -4, -4));
    return picture;
}

QPixmap DiagnosticsArt::Battery(int level, bool charging, const QSize& size)
{
    QPixmap picture = Blank(size);
    QPainter painter(&picture);
    const QRectF body(0.5, 2.5, size.width() - 4.0, size.height() - 5.0);
    painter.setPen(kOutline);
    painter.setBrush(kLight);
    painter.drawRect(body);
    painter.setBrush(kOutline);
    painter.drawRect(QRectF(body.right(), body.center().y() - 2.0, 2.5, 4.0));
    const QRectF inside = body.adjusted(2, 2, -1.5, -1.5);
    if (charging) {
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath bolt;
        const qreal x = inside.center().x();
        const qreal top = inside.top();
        const qreal h = inside.height();
        bolt.moveTo(x + 2, top);
        bolt.lineTo(x - 4, top + h * 0.55);
        bolt.lineTo(x, top + h * 0.55);
        bolt.lineTo(x - 2, top + h);
        bolt.lineTo(x + 4, top + h * 0.45);
        bolt.lineTo(x, top + h * 0.45);
        bolt.closeSubpath();
        painter.setPen(kOutline);
        painter.setBrush(QColor(0xff, 0xcc, 0x00));
        painter.drawPath(bolt);
        return picture;
    }
    if (level >= SystemStatusImages::kUnknownLevel || level < 0) {
        painter.fillRect(inside, QBrush(kMid, Qt::BDiagPattern));
        return picture;
    }
    if (level == 0) {
        painter.fillRect(QRectF(inside.left(), inside.top(), 2.0, inside.height()), kCross);
        return picture;
    }
    const QColor fill = level == 1 ? kCross : level == 2 ? QColor(0xef, 0x8c, 0x00) : QColor(0x2f, 0x9d, 0x3a);
    const qreal step = inside.width() / 5.0;
    for (int i = 0; i < level; ++i) {
        painter.fillRect(QRectF(inside.left() + i * step, inside.top(), step - 1.0, inside.height()), fill);
    }
    return picture;
}

QPixmap DiagnosticsArt::Radio(int icon, const QSize& size)
{
    QPixmap picture = Blank(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    const QPointF tip(w / 2.0, h * 0.3);
    painter.setPen(QPen(kOutline, 1.5));
    painter.drawLine(tip, QPointF(w / 2.0, h - 1.5));
    painter.drawLine(QPointF(w / 2.0 - 3, h - 1.5), QPointF(w / 2.0 + 3, h - 1.5));
    if (icon == SystemStatusImages::kRadioAbsentIcon) {
        DrawCross(painter, QRectF(w * 0.2, h * 0.15, w * 0.6, h * 0.6));
        return picture;
    }
    const int arcs = icon == SystemStatusImages::kRadioHighIcon ? 3 : 2;
    painter.setPen(QPen(QColor(0x2f, 0x7f, 0xd0), 1.5, Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i <= arcs; ++i) {
        const qreal r = i * w * 0.14;
        const QRectF circle(tip.x() - r, tip.y() - r, 2 * r, 2 * r);
        painter.drawArc(circle, -45 * 16, 90 * 16);
        painter.drawArc(circle, 135 * 16, 90 * 16);
    }
    return picture;
}

QPixmap DiagnosticsArt::Sensor(int unit, bool connected, const QSize& size)
{
    if (connected) {
        return StationArt::Station(static_cast<StationUnit>(unit), size);
    }
    QPixmap picture = Blank(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(picture.rect()).adjusted(3.5, 3.5, -3.5, -3.5);
    painter.setPen(QPen(kDark, 1.0));
    painter.setBrush(kMid);
    painter.drawEllipse(area);
    DrawCross(painter, area.adjusted(2, 2, -2, -2));
    return picture;
}

}  // namespace korvanta::gui
