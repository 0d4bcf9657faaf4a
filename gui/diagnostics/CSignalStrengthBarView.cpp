#include "gui/diagnostics/CSignalStrengthBarView.h"

#include <QPainter>
#include <QPalette>
#include <qdrawutil.h>

namespace korvanta::gui {

CSignalStrengthBarView::CSignalStrengthBarView(const CSignalStrengthBar& bar, QWidget* parent)
    : QWidget(parent), bar_(bar)
{
    setCursor(Qt::ArrowCursor);
}

void CSignalStrengthBarView::Refresh()
{
    if (width() <= 0 || height() <= 0) {
        return;
    }
    image_ = QImage(size(), QImage::Format_RGB32);
    image_.fill(palette().color(QPalette::Button));
    QPainter painter(&image_);
    qDrawShadePanel(&painter, image_.rect(), palette(), true, 1);
    const QRect area = image_.rect().adjusted(1, 1, -1, -1);
    const CSignalStrengthBar::Segments segments = bar_.Layout(area.left(), area.width());
    if (segments.empty) {
        painter.fillRect(area, QColor(192, 192, 192));
    } else {
        painter.fillRect(area, QColor(255, 0, 0));
        const auto fill = [&](const CSignalStrengthBar::Span& span, const QColor& colour) {
            if (span.end > span.begin) {
                painter.fillRect(QRect(span.begin, area.top(), span.end - span.begin, area.height()), colour);
            }
        };
        fill(segments.green, QColor(0, 255, 0));
        fill(segments.yellow, QColor(255, 255, 0));
    }
    painter.end();
    update();
}

void CSignalStrengthBarView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void CSignalStrengthBarView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Refresh();
}

}  // namespace korvanta::gui
