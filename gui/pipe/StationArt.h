#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>

#include "core/dialogs/StationPair.h"

namespace korvanta::gui {

// The pictures of the dialogs: a sensor of a station in its colour, the interface unit as a
// small black box, and a material's colour swatch.
class StationArt {
public:
    static QColor Colour(StationUnit unit);
    static QPixmap Station(StationUnit unit, const QSize& size);
    // Twenty distinct colours, one per material index; black outside 0..19.
    static QColor MaterialColour(int index);
    static QPixmap MaterialSwatch(int index, int pixels = 12);
};

}  // namespace korvanta::gui
