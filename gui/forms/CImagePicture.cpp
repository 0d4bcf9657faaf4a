#include "gui/forms/CImagePicture.h"

#include <QMouseEvent>
#include <QPainter>

namespace korvanta::gui {

CImagePicture::CImagePicture(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage& CImagePicture::Image()
{
    if (image_.size() != size() && !size().isEmpty()) {
        image_ = QImage(size(), QImage::Format_RGB32);
        if (!image_.isNull()) {
            image_.fill(Qt::white);
        }
    }
    return image_;
}

void CImagePicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (image_.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    painter.drawImage(0, 0, image_);
}

void CImagePicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        Q_EMIT Clicked(event->position().toPoint());
    }
    QWidget::mousePressEvent(event);
}

}  // namespace korvanta::gui
