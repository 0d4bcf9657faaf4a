#pragma once

#include <QImage>
#include <QWidget>

namespace korvanta::gui {

// A picture control that shows an off-screen image of its own client size. The owner paints
// the image when the data changes; a paint event only copies it to the screen. Clicks report
// the point within the picture.
class CImagePicture final : public QWidget {
    Q_OBJECT

public:
    explicit CImagePicture(QWidget* parent = nullptr);

    // The image, created (or re-created) at the picture's current size. Null when the size is
    // empty or the memory cannot be had.
    QImage& Image();
    // Repaints from the image.
    void Show() { update(); }

Q_SIGNALS:
    void Clicked(QPoint point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage image_;
};

}  // namespace korvanta::gui
