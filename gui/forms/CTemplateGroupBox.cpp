#include "gui/forms/CTemplateGroupBox.h"

#include <QPainter>

namespace korvanta::gui {

namespace {

constexpr int kTitleIndent = 6;  // from the frame's left edge to the title's gap
constexpr int kTitleGap = 2;     // cleared on either side of the title text

}  // namespace

int CTemplateGroupBox::TopLineY() const
{
    return title().isEmpty() ? 0 : fontMetrics().height() / 2;
}

QRect CTemplateGroupBox::TitleRect() const
{
    if (title().isEmpty()) {
        return {};
    }
    const QFontMetrics metrics = fontMetrics();
    const int width = metrics.horizontalAdvance(QString(title()).remove(QLatin1Char('&'))) + 2 * kTitleGap;
    // A title wider than its frame runs to the frame's right edge and is cut there, its start
    // kept readable.
    return {kTitleIndent, 0, std::min(width, std::max(0, this->width() - kTitleIndent)), metrics.height()};
}

void CTemplateGroupBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // An etched frame: a shadow line with a light line inside and below it.
    const QRect frame = rect().adjusted(0, TopLineY(), -1, -1);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Mid));
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.adjusted(1, 1, 0, 0));
    const QRect titleRect = TitleRect();
    if (titleRect.isEmpty()) {
        return;
    }
    painter.fillRect(titleRect, palette().window());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(titleRect.adjusted(kTitleGap, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, title());
}

}  // namespace korvanta::gui
