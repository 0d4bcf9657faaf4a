#include "gui/forms/Artwork.h"

#include <QImage>
#include <QPainter>

namespace korvanta::gui {

namespace {

// The build renders every drawing at this multiple of its own size.
constexpr int kRenderedScale = 4;

QString RasterPath(const QString& svgPath)
{
    QString path = svgPath;
    if (path.endsWith(QLatin1String(".svg"))) {
        path.chop(4);
    }
    return path + QLatin1String(".png");
}

}  // namespace

QPixmap Artwork::Render(const QString& svgPath, QSize size, qreal devicePixelRatio)
{
    const QImage rendered(RasterPath(svgPath));
    if (rendered.isNull() || size.isEmpty()) {
        return {};
    }
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF own = QSizeF(rendered.size()) / kRenderedScale;
    painter.drawImage(Placement(own, size), rendered);
    return pixmap;
}

QIcon Artwork::Icon(const QString& svgPath)
{
    // Scaled once per size a menu, toolbar or title bar uses, so none is drawn blurred.
    QIcon icon;
    for (const int side : {16, 20, 24, 32, 48, 64, 128, 256}) {
        const QPixmap pixmap = Render(svgPath, QSize(side, side));
        if (pixmap.isNull()) {
            return {};
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace korvanta::gui
