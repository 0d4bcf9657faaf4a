#pragma once

#include <QImage>

#include <vector>

#include "core/view/PipeLayoutStrip.h"

namespace korvanta::gui {

// Paints the pipe strip: each band in its material's colour, or the blank strip without a pipe.
class PipeLayoutPainter {
public:
    static void Paint(QImage& image, const std::vector<StripBand>& bands);
};

}  // namespace korvanta::gui
