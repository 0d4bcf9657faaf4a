#pragma once

#include <QPixmap>
#include <QSize>

namespace korvanta::gui {

// The status icons of the three-station form, drawn in code by their resource IDs: the
// interface unit (305, 306), the outstations (281 red, 278 blue, 283 yellow, 307 absent), the
// battery levels (301-304 interface, 287-290 red, 291-294 blue, 295-298 yellow, 299 low, 300 no
// reading), the sensors (189, 188, 191, 250 absent) and the radio (181 high, 182 low, 249 absent).
class ThreeStationIconPainter {
public:
    // The icon's size in pixels; empty for an unknown ID.
    static QSize Size(int id);
    // The icon; a null pixmap for an unknown ID.
    static QPixmap Icon(int id);
};

}  // namespace korvanta::gui
