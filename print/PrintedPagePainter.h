#pragma once

#include <QByteArray>
#include <QPainter>

#include <vector>

#include "core/export/PrintedPage.h"

namespace korvanta::print {

// Draws the printed page's operations on a painter whose device has `dotsPerInch` resolution:
// 0.1 mm units, y upwards from the top of the printable area, Arial (Liberation Sans where Arial
// is missing, same metrics) at the stated point sizes.
class PrintedPagePainter {
public:
    static void Paint(QPainter& painter, const std::vector<PageOperation>& page, double dotsPerInch);
    // The page as a landscape A4 PDF document; empty when it cannot be rendered.
    static QByteArray RenderPdf(const std::vector<PageOperation>& page);
};

}  // namespace korvanta::print
