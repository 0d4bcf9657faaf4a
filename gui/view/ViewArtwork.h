#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

#include "core/view/UnitStatusPanel.h"

namespace korvanta::gui {

// The pictures of the status panel and the icon buttons, drawn from the SVG artwork at the size
// each control has. Battery gauges: levels 1 to 5 in each unit's colour, one shared flat and one
// shared unknown gauge; the charging picture replaces the interface unit's gauge.
class ViewArtwork {
public:
    static QString UnitPicturePath(int unit);
    static QString RadioIconPath(UnitStatusPanel::RadioIcon icon);
    static QString BatteryPath(int unit, int level);
    static QString ChargingPath();
    static QString SensorIconPath(int unit, bool connected);

    // The picture at `size` (device-independent pixels) for a screen of `devicePixelRatio`,
    // the aspect ratio kept and centred; a null pixmap for a path that cannot be read.
    static QPixmap Render(const QString& path, QSize size, qreal devicePixelRatio = 1.0);
};

}  // namespace korvanta::gui
