#include "gui/forms/Artwork.h"

namespace korvanta::gui {

QRectF Artwork::Placement(QSizeF picture, QSize size)
{
    picture.scale(QSizeF(size), Qt::KeepAspectRatio);
    const QPointF corner((size.width() - picture.width()) / 2.0, (size.height() - picture.height()) / 2.0);
    return {corner, picture};
}

}  // namespace korvanta::gui
