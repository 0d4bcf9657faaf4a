#include "gui/forms/Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace korvanta::gui {

QPixmap Artwork::Render(const QString& svgPath, QSize size, qreal devicePixelRatio)
{
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid() || size.isEmpty()) {
        return {};
    }
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, Placement(renderer.defaultSize(), size));
    return pixmap;
}

QIcon Artwork::Icon(const QString& svgPath)
{
    // Qt's SVG icon engine draws the drawing at each size asked.
    return QIcon(svgPath);
}

}  // namespace korvanta::gui
