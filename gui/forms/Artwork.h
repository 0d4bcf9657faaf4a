#pragma once

#include <QIcon>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>

namespace korvanta::gui {

// The program's pictures are SVG drawings kept in the resources under their ".svg" names. Where
// Qt's SVG module is part of the build they are drawn at the size asked; the Windows build has no
// SVG module and carries each drawing rendered at build time to PNG at four times its own size
// (the same name with ".png"), scaled down smoothly here. Callers name the SVG either way.
class Artwork {
public:
    // The picture at `size` (device-independent pixels) for a screen of `devicePixelRatio`, the
    // aspect ratio kept and centred; a null pixmap for a picture that cannot be read.
    static QPixmap Render(const QString& svgPath, QSize size, qreal devicePixelRatio = 1.0);
    // An icon that draws the picture sharply at whatever size a menu, toolbar or title bar asks.
    static QIcon Icon(const QString& svgPath);

    // Where a picture of `picture`'s proportions lands inside `size`: as large as fits, centred.
    static QRectF Placement(QSizeF picture, QSize size);
};

}  // namespace korvanta::gui
