#include "gui/forms/CTemplateLayout.h"

#include <QFontMetrics>
#include <QRawFont>
#include <QScreen>
#include <QWindow>
#include <QtEndian>

#include <cmath>

namespace korvanta::gui {

namespace {

constexpr int kMaxPointSize = 32767;
constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";

int Scale(int value, int unit, int divisor)
{
    return static_cast<int>(static_cast<double>(value) * unit / divisor + 0.5);
}

uint16_t ReadU16(const QByteArray& table, int offset)
{
    if (offset + 2 > table.size()) {
        return 0;
    }
    return qFromBigEndian<quint16>(table.constData() + offset);
}

// The Windows text-metric height: the OS/2 table's usWinAscent and usWinDescent scaled to the
// pixel size, each rounded. Zero when the font has no usable tables.
int WindowsTextHeight(const QFont& font)
{
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    const QByteArray head = raw.fontTable("head");
    constexpr int kWinAscent = 74;
    constexpr int kWinDescent = 76;
    constexpr int kUnitsPerEm = 18;
    const int unitsPerEm = ReadU16(head, kUnitsPerEm);
    if (unitsPerEm == 0 || os2.size() < kWinDescent + 2) {
        return 0;
    }
    const double scale = static_cast<double>(font.pixelSize()) / unitsPerEm;
    const long ascent = std::lround(ReadU16(os2, kWinAscent) * scale);
    const long descent = std::lround(ReadU16(os2, kWinDescent) * scale);
    return static_cast<int>(ascent + descent);
}

}  // namespace

QFont CTemplateLayout::TemplateFont(const DialogTemplate& dialog, double dpi)
{
    int points = dialog.pointSize;
    if (points < 0 || points > kMaxPointSize) {
        points = (-points) & 0xFFFF;
    }
    const int height = -static_cast<int>(points * dpi / 72.0 + 0.5);
    QFont font(QString::fromUtf8(dialog.face));
    font.setPixelSize(std::max(1, -height));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(dialog.weight, 1, 1000)));
    font.setItalic(dialog.italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

BaseUnits CTemplateLayout::MeasureBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    BaseUnits units;
    units.horizontal = (metrics.horizontalAdvance(QString::fromLatin1(kAlphabet)) / 26 + 1) / 2;
    units.vertical = WindowsTextHeight(font);
    if (units.vertical <= 0) {
        units.vertical = metrics.ascent() + metrics.descent();
    }
    return units;
}

QRect CTemplateLayout::ToPixels(const QRect& du, BaseUnits units)
{
    return {Scale(du.x(), units.horizontal, 4), Scale(du.y(), units.vertical, 8),
            Scale(du.width(), units.horizontal, 4), Scale(du.height(), units.vertical, 8)};
}

QWidget* CTemplateLayout::FindForward(const QString& name, int& position) const
{
    const QObjectList& children = window_->children();
    for (int i = position; i < children.size(); ++i) {
        auto* widget = qobject_cast<QWidget*>(children[i]);
        if (widget != nullptr && widget->objectName() == name) {
            position = i + 1;
            return widget;
        }
    }
    return nullptr;
}

void CTemplateLayout::Apply(QWidget* window, const DialogTemplate& dialog, double dpi)
{
    if (window_) {
        Restore();
    }
    window_ = window;
    template_ = &dialog;
    previousFontWasSet_ = window->testAttribute(Qt::WA_SetFont);
    previousFont_ = window->font();

    font_ = TemplateFont(dialog, dpi);
    window->setFont(font_);
    units_ = MeasureBaseUnits(font_);
    window->setFixedSize(ToPixels(QRect(0, 0, dialog.cx, dialog.cy), units_).size());

    placed_ = 0;
    int position = 0;
    for (const DialogItemTemplate& item : dialog.items) {
        QWidget* control = FindForward(ControlName(item.id), position);
        if (control == nullptr) {
            break;
        }
        control->setGeometry(ToPixels(QRect(item.x, item.y, item.cx, item.cy), units_));
        control->setFont(font_);
        ++placed_;
    }
}

void CTemplateLayout::Restore()
{
    if (!window_ || template_ == nullptr) {
        window_ = nullptr;
        return;
    }
    int position = 0;
    for (const DialogItemTemplate& item : template_->items) {
        QWidget* control = FindForward(ControlName(item.id), position);
        if (control == nullptr) {
            break;
        }
        control->setFont(QFont());  // inherits the window's font again
    }
    window_->setFont(previousFontWasSet_ ? previousFont_ : QFont());
    window_ = nullptr;
    template_ = nullptr;
}

}  // namespace korvanta::gui
