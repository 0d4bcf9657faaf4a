#pragma once

#include <string>
#include <vector>

#include "core/export/ResultReport.h"

namespace korvanta {

// One drawing call of the printed page. Coordinates are in 0.1 mm with y growing upwards: x from
// the left and y from 0 at the top of the printable area, negative downwards. A text is placed
// with its top at y and its left edge, centre or right edge at x.
struct PageOperation {
    enum class Kind { Rectangle, Line, Bar, DashedLine, Text };
    enum class Align { Left, Centre, Right };
    Kind kind = Kind::Line;
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    std::string text;
    double fontPoints = 0.0;  // Arial
    Align align = Align::Left;
    static PageOperation Shape(Kind kind, int x1, int y1, int x2, int y2)
    {
        PageOperation op;
        op.kind = kind;
        op.x1 = x1;
        op.y1 = y1;
        op.x2 = x2;
        op.y2 = y2;
        return op;
    }
    friend bool operator==(const PageOperation&, const PageOperation&) = default;
};

// The drawing spans 263 mm by 200 mm: one landscape page.
inline constexpr int kPageDrawingWidth = 2630;
inline constexpr int kPageDrawingHeight = 2000;

// The page in drawing order: frames and headings, the labels, the graph bars, the values, the
// cursor.
std::vector<PageOperation> LayOutPrintedPage(const ResultReport& report);

}  // namespace korvanta
