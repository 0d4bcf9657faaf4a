#pragma once

#include <string>
#include <vector>

#include "core/threestation/CThreeStationResult.h"
#include "core/values/UnitSystem.h"

namespace korvanta {

// A dimension line with arrow heads and a label centred above it (or below it).
struct DimensionLine {
    int x1 = 0;
    int x2 = 0;
    int y = 0;
    bool arrowAtX1 = true;
    bool arrowAtX2 = true;
    std::string label;  // empty for none
    bool labelBelow = false;
};

// Three 8-pixel strokes marking the leak, below the pipe pointing down or above it pointing up.
struct LeakMarker {
    int x = 0;
    bool above = false;
};

// The pipe band with the three sensors on it, as the result chart and the wizard's pictures draw
// it: the band from y = h/2 to h/2 + 30 between x = 30 and w - 30, each sensor a 22 × 44 box
// standing on it.
struct PipePicture {
    static constexpr int kMargin = 30;
    static constexpr int kBandHeight = 30;
    static constexpr int kSensorWidth = 22;
    static constexpr int kSensorHeight = 44;
    static constexpr int kBlueClearance = 110;

    int width = 0;
    int height = 0;
    int Top() const { return height / 2; }
    int Bottom() const { return height / 2 + kBandHeight; }
    int RedX() const { return kMargin; }
    int YellowX() const { return width - kMargin; }
    int MiddleX() const { return kMargin + (width - 2 * kMargin) / 2; }
    // Blue at its share of the red-yellow distance, kept 110 pixels from both ends.
    int BlueX(float redBlue, float redYellow) const;
};

// Where everything of the three-station result chart goes, for a chart of w × h pixels.
struct ThreeStationChartLayout {
    PipePicture pipe;
    int blueX = 0;
    bool blueShown = true;
    std::vector<DimensionLine> lines;
    std::vector<LeakMarker> markers;
    std::string outsideText;  // "Uden for område" when the result is not valid
    int outsideY = 0;
    std::string unitText;  // "m" or "ft", centred below the pipe
    int unitY = 0;
    std::string note;  // the plausibility note, centred at the top; empty for none
};

ThreeStationChartLayout LayOutResultChart(int width, int height, const CThreeStationResult& result, UnitSystem units);

// The pictures of the setup wizard: page 1 red and blue with the distance to enter between them,
// page 2 blue and yellow, page 3 all three at their places with their positions above them.
struct SetupPictureLayout {
    enum class Sensor { Red, Blue, Yellow };
    struct Box {
        Sensor sensor;
        int x;
        std::string position;  // page 3: metres (or feet) from red; empty on the other pages
    };
    PipePicture pipe;
    std::vector<Box> boxes;
    std::vector<DimensionLine> lines;
    std::string unitText;
    int unitY = 0;
};

SetupPictureLayout LayOutSetupPicture(int width, int height, int page, float redBlue, float redYellow,
                                      UnitSystem units);

}  // namespace korvanta
