#include "gui/view/PipeLayoutPainter.h"

#include <QPainter>

namespace korvanta::gui {

void PipeLayoutPainter::Paint(QImage& image, const std::vector<StripBand>& bands)
{
    if (image.isNull()) {
        return;
    }
    image.fill(QColor(0xf4, 0xf4, 0xf4));
    QPainter painter(&image);
    for (const StripBand& band : bands) {
        painter.fillRect(band.x, 0, band.width, image.height(),
                         QColor(band.colour.red, band.colour.green, band.colour.blue));
    }
    if (bands.empty()) {
        painter.setPen(QColor(0xc8, 0xc8, 0xc8));
        painter.drawRect(0, 0, image.width() - 1, image.height() - 1);
    }
}

}  // namespace korvanta::gui
