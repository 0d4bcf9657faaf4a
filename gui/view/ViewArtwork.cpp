#include "gui/view/ViewArtwork.h"

#include "gui/forms/Artwork.h"

namespace korvanta::gui {

namespace {

const char* UnitName(int unit)
{
    switch (unit) {
    case kRedUnit:
        return "red";
    case kBlueUnit:
        return "blue";
    case kYellowUnit:
        return "yellow";
    default:
        return "interface";
    }
}

}  // namespace

QString ViewArtwork::UnitPicturePath(int unit)
{
    return QStringLiteral(":/view/unit-%1.svg").arg(QLatin1String(UnitName(unit)));
}

QString ViewArtwork::RadioIconPath(UnitStatusPanel::RadioIcon icon)
{
    switch (icon) {
    case UnitStatusPanel::RadioIcon::High:
        return QStringLiteral(":/view/radio-high.svg");
    case UnitStatusPanel::RadioIcon::Low:
        return QStringLiteral(":/view/radio-low.svg");
    case UnitStatusPanel::RadioIcon::Absent:
        break;
    }
    return QStringLiteral(":/view/unit-absent.svg");
}

QString ViewArtwork::BatteryPath(int unit, int level)
{
    if (level == 0) {
        return QStringLiteral(":/view/battery-flat.svg");
    }
    if (level < 1 || level > 5) {
        return QStringLiteral(":/view/battery-unknown.svg");
    }
    return QStringLiteral(":/view/battery-%1-%2.svg").arg(QLatin1String(UnitName(unit))).arg(level);
}

QString ViewArtwork::ChargingPath()
{
    return QStringLiteral(":/view/battery-charging.svg");
}

QString ViewArtwork::SensorIconPath(int unit, bool connected)
{
    if (!connected) {
        return QStringLiteral(":/view/sensor-none.svg");
    }
    return QStringLiteral(":/view/sensor-%1.svg").arg(QLatin1String(UnitName(unit)));
}

QPixmap ViewArtwork::Render(const QString& path, QSize size, qreal devicePixelRatio)
{
    return Artwork::Render(path, size, devicePixelRatio);
}

}  // namespace korvanta::gui
