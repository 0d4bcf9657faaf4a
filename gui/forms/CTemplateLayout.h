#pragma once

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include "gui/forms/DialogTemplate.h"

namespace korvanta::gui {

// Dialog base units of a font: a horizontal unit is a quarter of the first, a vertical unit an
// eighth of the second.
struct BaseUnits {
    int horizontal = 0;
    int vertical = 0;
};

// Lays a form out from its template as on a 96-dpi screen, so that it has the same size in
// pixels whatever the user's font settings: the template's font is made at the pixel size that
// its point size has at 96 dpi, and the form and each control are placed at their template
// rectangles converted with that font's base units. Controls are the form's direct children,
// found by object name ("ctl" + ID) searching forward in creation order from the control found
// for the previous item; the walk stops at the first control it cannot find. Qt's high-DPI
// scaling then scales the form as a whole.
class CTemplateLayout {
public:
    static constexpr double kLayoutDpi = 96.0;

    CTemplateLayout() = default;
    ~CTemplateLayout() { Restore(); }
    CTemplateLayout(const CTemplateLayout&) = delete;
    CTemplateLayout& operator=(const CTemplateLayout&) = delete;

    // Restores first when already attached to a window.
    void Apply(QWidget* window, const DialogTemplate& dialog, double dpi = kLayoutDpi);
    // Gives the window its previous font back, lets the controls inherit it again and detaches.
    void Restore();

    const QFont& Font() const { return font_; }
    BaseUnits Units() const { return units_; }
    // How many controls the last Apply placed.
    int PlacedControls() const { return placed_; }

    // The template's font at `dpi`: pixel size -(int)(points * dpi / 72 + 0.5).
    static QFont TemplateFont(const DialogTemplate& dialog, double dpi);
    // Base units as the window system computes them: the vertical unit is the font's text
    // height from its OS/2 ascent and descent for Windows, the horizontal one
    // ((width of the 52 letters / 26) + 1) / 2.
    static BaseUnits MeasureBaseUnits(const QFont& font);
    // A rectangle in dialog units converted to pixels (each value rounded half up).
    static QRect ToPixels(const QRect& dialogUnits, BaseUnits units);
    // The name a control with numeric ID `id` carries.
    static QString ControlName(int id) { return QStringLiteral("ctl%1").arg(id); }

private:
    QWidget* FindForward(const QString& name, int& position) const;

    QPointer<QWidget> window_;
    const DialogTemplate* template_ = nullptr;
    QFont font_;
    QFont previousFont_;
    bool previousFontWasSet_ = false;
    BaseUnits units_;
    int placed_ = 0;
};

}  // namespace korvanta::gui
