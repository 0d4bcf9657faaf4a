#pragma once

#include <QPixmap>
#include <QSize>

namespace korvanta::gui {

// The small pictures of the diagnostics dialogs, drawn in the program's flat icon style.
class DiagnosticsArt {
public:
    // Unit 0 interface, 1 red, 2 blue, 3 yellow; an absent unit is drawn greyed and crossed.
    static QPixmap Unit(int unit, bool present, const QSize& size);
    // Level 0 flat .. 5 full, 6 unknown; `charging` draws the charging picture instead.
    static QPixmap Battery(int level, bool charging, const QSize& size);
    // The radio icon by resource number: 181 high power, 182 low power, 249 no answer.
    static QPixmap Radio(int icon, const QSize& size);
    // The sensor of `unit` in its colour, or with `connected` false the crossed-out plug.
    static QPixmap Sensor(int unit, bool connected, const QSize& size);
};

}  // namespace korvanta::gui
