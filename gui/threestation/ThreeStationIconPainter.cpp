#include "gui/threestation/ThreeStationIconPainter.h"

#include <QPainter>
#include <QPainterPath>

#include "core/threestation/ThreeStationIcons.h"

namespace korvanta::gui {

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 204, 0);
const QColor kInterface(40, 40, 40);
const QColor kAbsent(170, 170, 170);

enum class Kind { None, Interface, Outstation, Battery, Sensor, Radio };

struct IconInfo {
    Kind kind = Kind::None;
    QColor colour;
    int level = 0;  // battery level 1..4; 0 low, -1 no reading; radio 1 low, 3 high, 0 absent
    bool present = true;
};

IconInfo Describe(int id)
{
    if (id >= 301 && id <= 304) {
        return {Kind::Battery, kInterface, id - 300};
    }
    if (id >= 287 && id <= 298) {
        const QColor colours[3] = {kRed, kBlue, kYellow};
        return {Kind::Battery, colours[(id - 287) / 4], (id - 287) % 4 + 1};
    }
    switch (id) {
    case icon::kInterfaceConnected:
        return {Kind::Interface, kInterface, 0, true};
    case icon::kInterfaceNotConnected:
        return {Kind::Interface, kAbsent, 0, false};
    case icon::kRedUnit:
        return {Kind::Outstation, kRed};
    case icon::kBlueUnit:
        return {Kind::Outstation, kBlue};
    case icon::kYellowUnit:
        return {Kind::Outstation, kYellow};
    case icon::kAbsentUnit:
        return {Kind::Outstation, kAbsent, 0, false};
    case icon::kBatteryLow:
        return {Kind::Battery, kRed, 0};
    case icon::kBatteryNoReading:
        return {Kind::Battery, kAbsent, -1, false};
    case icon::kRedSensor:
        return {Kind::Sensor, kRed};
    case icon::kBlueSensor:
        return {Kind::Sensor, kBlue};
    case icon::kYellowSensor:
        return {Kind::Sensor, kYellow};
    case icon::kSensorAbsent:
        return {Kind::Sensor, kAbsent, 0, false};
    case icon::kRadioHigh:
        return {Kind::Radio, Qt::black, 3};
    case icon::kRadioLow:
        return {Kind::Radio, Qt::black, 1};
    case icon::kRadioAbsent:
        return {Kind::Radio, kAbsent, 0, false};
    default:
        return {};
    }
}

void DrawCross(QPainter& painter, const QRectF& box)
{
    painter.setPen(QPen(QColor(200, 0, 0), 2));
    painter.drawLine(box.topLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomLeft());
}

// A box with a display window and a light: connected the light is green, else a red cross.
void DrawInterface(QPainter& painter, QSize size, const IconInfo& info)
{
    const QRectF body(3, 8, size.width() - 6, size.height() - 11);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(info.present ? info.colour : QColor(220, 220, 220));
    painter.drawRoundedRect(body, 4, 4);
    painter.setBrush(QColor(180, 210, 180));
    painter.drawRect(QRectF(body.left() + 5, body.top() + 5, body.width() - 10, 10));
    painter.setBrush(info.present ? QColor(0, 200, 0) : QColor(120, 120, 120));
    painter.drawEllipse(QPointF(body.right() - 7, body.bottom() - 7), 3, 3);
    painter.drawLine(QPointF(body.left() + 8, body.top()), QPointF(body.left() + 8, 1));
    if (!info.present) {
        DrawCross(painter, body.adjusted(6, 6, -6, -6));
    }
}

// An outstation: a coloured case with its antenna; absent, a grey outline.
void DrawOutstation(QPainter& painter, QSize size, const IconInfo& info)
{
    const QRectF body(4, 12, size.width() - 8, size.height() - 14);
    painter.setPen(QPen(info.present ? Qt::black : info.colour, 1, info.present ? Qt::SolidLine : Qt::DashLine));
    painter.setBrush(info.present ? info.colour : Qt::white);
    painter.drawRoundedRect(body, 3, 3);
    painter.setPen(QPen(info.present ? Qt::black : info.colour, 2));
    painter.drawLine(QPointF(body.right() - 6, body.top()), QPointF(body.right() - 6, 2));
}

// A battery with its nub; each level fills one more quarter.
void DrawBattery(QPainter& painter, QSize size, const IconInfo& info)
{
    const QRectF body(1, 1, size.width() - 5, size.height() - 2);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(body);
    painter.setBrush(Qt::black);
    painter.drawRect(QRectF(body.right() + 1, 3, 2, size.height() - 6));
    const double segment = (body.width() - 2) / 4.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(info.colour);
    if (info.level > 0) {
        for (int i = 0; i < info.level; ++i) {
            painter.drawRect(QRectF(body.left() + 1.5 + i * segment, body.top() + 1.5, segment - 1, body.height() - 3));
        }
    } else if (info.level == 0) {
        painter.drawRect(QRectF(body.left() + 1.5, body.top() + 1.5, segment / 2, body.height() - 3));
    } else {
        painter.setPen(QPen(info.colour, 1));
        painter.drawLine(body.bottomLeft(), body.topRight());
    }
}

// A sensor on a piece of pipe.
void DrawSensor(QPainter& painter, QSize size, const IconInfo& info)
{
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(160, 160, 160));
    painter.drawRect(QRectF(2, size.height() - 10, size.width() - 4, 7));
    painter.setPen(QPen(info.present ? Qt::black : info.colour, 1, info.present ? Qt::SolidLine : Qt::DashLine));
    painter.setBrush(info.present ? info.colour : Qt::white);
    painter.drawEllipse(QRectF(size.width() / 2.0 - 8, 4, 16, size.height() - 14));
}

// An antenna with one wave for low power and three for high; absent, grey and crossed.
void DrawRadio(QPainter& painter, QSize size, const IconInfo& info)
{
    const QPointF top(size.width() / 2.0, 8);
    painter.setPen(QPen(info.colour, 2));
    painter.drawLine(top, QPointF(size.width() / 2.0, size.height() - 3));
    painter.drawLine(QPointF(size.width() / 2.0 - 6, size.height() - 3),
                     QPointF(size.width() / 2.0 + 6, size.height() - 3));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(info.colour, 1.5));
    const int waves = info.present ? info.level : 1;
    for (int i = 1; i <= waves; ++i) {
        const double r = 4.0 * i;
        painter.drawArc(QRectF(top.x() - r, top.y() - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
        painter.drawArc(QRectF(top.x() - r, top.y() - r, 2 * r, 2 * r), 135 * 16, 90 * 16);
    }
    if (!info.present) {
        DrawCross(painter, QRectF(6, 6, size.width() - 12, size.height() - 12));
    }
}

}  // namespace

QSize ThreeStationIconPainter::Size(int id)
{
    switch (Describe(id).kind) {
    case Kind::Interface:
        return {42, 43};
    case Kind::Outstation:
        return {35, 47};
    case Kind::Battery:
        return {37, 11};
    case Kind::Sensor:
    case Kind::Radio:
        return {32, 32};
    case Kind::None:
        break;
    }
    return {};
}

QPixmap ThreeStationIconPainter::Icon(int id)
{
    const IconInfo info = Describe(id);
    const QSize size = Size(id);
    if (info.kind == Kind::None) {
        return {};
    }
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (info.kind) {
    case Kind::Interface:
        DrawInterface(painter, size, info);
        break;
    case Kind::Outstation:
        DrawOutstation(painter, size, info);
        break;
    case Kind::Battery:
        DrawBattery(painter, size, info);
        break;
    case Kind::Sensor:
        DrawSensor(painter, size, info);
        break;
    case Kind::Radio:
        DrawRadio(painter, size, info);
        break;
    case Kind::None:
        break;
    }
    return pixmap;
}

}  // namespace korvanta::gui
