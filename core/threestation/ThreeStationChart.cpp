#include "core/threestation/ThreeStationChart.h"

#include <algorithm>
#include <cmath>

#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

namespace korvanta {

namespace {

constexpr int kLowerLineBelowMiddle = 50;  // the red-yellow dimension lines, from h/2
constexpr int kUpperLineAbovePipe = 54;    // the pair's dimension lines, above the pipe's top
constexpr int kOutsideBelowMiddle = 33;    // "Uden for område", between the band and the line
constexpr int kUnitBelowPipe = 45;         // the length unit, below the pipe's bottom
constexpr int kPictureUnitBelowPipe = 6;   // the wizard's pictures have no lines below the pipe
constexpr int kMarkerClearance = 50;       // a marker keeps this far from its span's sensors

std::string DistanceText(float metres, UnitSystem units)
{
    return FormatNumber("%0.2f", LengthForDisplay(metres, units));
}

// x of a distance along a span of `metres` drawn from x1 to x2.
int AlongSpan(int x1, int x2, float distance, float metres)
{
    const double share = metres > 0.0f ? static_cast<double>(distance) / metres : 0.0;
    return x1 + static_cast<int>(std::lround((x2 - x1) * std::clamp(share, 0.0, 1.0)));
}

// Keeps a marker clear of its span's sensors; a span too short for that gets it in its middle.
int Clear(int x, int x1, int x2)
{
    const int low = x1 + kMarkerClearance;
    const int high = x2 - kMarkerClearance;
    return low <= high ? std::clamp(x, low, high) : (x1 + x2) / 2;
}

// The leak on one pair's span above the pipe: two labelled lines with an upward marker, or,
// with the leak at the span's end sensor, one line over the span pointing at that sensor.
void AddSpan(ThreeStationChartLayout& layout, int x1, int x2, const PairDistances& distances, float metres,
             bool endAtFirst, UnitSystem units)
{
    const int y = layout.pipe.Top() - kUpperLineAbovePipe;
    const float toEnd = endAtFirst ? distances.fromFirst : distances.fromSecond;
    if (toEnd < CThreeStationResult::kAtSensor) {
        layout.lines.push_back({x1, x2, y, endAtFirst, !endAtFirst, {}});
        return;
    }
    const int x = Clear(AlongSpan(x1, x2, distances.fromFirst, metres), x1, x2);
    layout.markers.push_back({x, true});
    layout.lines.push_back({x1, x, y, true, true, DistanceText(distances.fromFirst, units)});
    layout.lines.push_back({x, x2, y, true, true, DistanceText(distances.fromSecond, units)});
}

}  // namespace

int PipePicture::BlueX(float redBlue, float redYellow) const
{
    const double share = redYellow > 0.0f ? static_cast<double>(redBlue) / redYellow : 0.5;
    const int x = kMargin + static_cast<int>((width - 2 * kMargin) * std::clamp(share, 0.0, 1.0));
    const int low = kBlueClearance;
    const int high = width - kBlueClearance;
    return low <= high ? std::clamp(x, low, high) : MiddleX();
}

ThreeStationChartLayout LayOutResultChart(int width, int height, const CThreeStationResult& result, UnitSystem units)
{
    ThreeStationChartLayout layout;
    layout.pipe = {width, height};
    const PipePicture& pipe = layout.pipe;
    const float redBlue = result.Pair(kPairRedBlue).distance;
    const float blueYellow = result.Pair(kPairBlueYellow).distance;
    const float redYellow = result.Pair(kPairRedYellow).distance;
    layout.blueX = pipe.BlueX(redBlue, redYellow);
    layout.unitText = LoadString(LengthUnitLabel(units));
    layout.unitY = pipe.Bottom() + kUnitBelowPipe;
    if (const uint32_t note = result.PlausibilityNote(); note != 0) {
        layout.note = LoadString(note);
    }

    const int lowerY = pipe.Top() + kLowerLineBelowMiddle;
    const bool valid = result.IsComputable() && result.IsValid();
    if (!valid) {
        const bool atRed = result.RedYellow().fromFirst < CThreeStationResult::kAtSensor;
        layout.lines.push_back({pipe.RedX(), pipe.YellowX(), lowerY, atRed, !atRed, {}});
        layout.outsideText = LoadString(str::kOutsideRange);
        layout.outsideY = pipe.Top() + kOutsideBelowMiddle;
        return layout;
    }

    const int leakX = Clear(AlongSpan(pipe.RedX(), pipe.YellowX(), result.RedYellow().fromFirst, redYellow),
                            pipe.RedX(), pipe.YellowX());
    layout.markers.push_back({leakX, false});
    layout.lines.push_back(
        {pipe.RedX(), leakX, lowerY, true, true, DistanceText(result.RedYellow().fromFirst, units), true});
    layout.lines.push_back(
        {leakX, pipe.YellowX(), lowerY, true, true, DistanceText(result.RedYellow().fromSecond, units), true});

    switch (result.Segment()) {
    case CThreeStationResult::kSegmentRedBlue:
        AddSpan(layout, pipe.RedX(), layout.blueX, result.RedBlue(), redBlue, true, units);
        break;
    case CThreeStationResult::kSegmentBlueYellow:
        AddSpan(layout, layout.blueX, pipe.YellowX(), result.BlueYellow(), blueYellow, false, units);
        break;
    default:
        layout.blueShown = false;  // the leak is at blue: its marker stands where blue would
        break;
    }
    return layout;
}

SetupPictureLayout LayOutSetupPicture(int width, int height, int page, float redBlue, float redYellow, UnitSystem units)
{
    using Sensor = SetupPictureLayout::Sensor;
    constexpr int kLineAbovePipe = 22;
    constexpr int kLeftGap = 12;   // from the left box's x to the line's start
    constexpr int kRightGap = 13;  // from the line's end to the right box's x
    SetupPictureLayout layout;
    layout.pipe = {width, height};
    const PipePicture& pipe = layout.pipe;
    layout.unitText = LoadString(LengthUnitLabel(units));
    layout.unitY = pipe.Bottom() + kPictureUnitBelowPipe;
    const int lineY = pipe.Top() - kLineAbovePipe;
    switch (page) {
    case 1:
        layout.boxes = {{Sensor::Red, pipe.RedX(), {}}, {Sensor::Blue, pipe.MiddleX(), {}}};
        layout.lines.push_back({pipe.RedX() + kLeftGap, pipe.MiddleX() - kRightGap, lineY, true, true, {}});
        break;
    case 2:
        layout.boxes = {{Sensor::Blue, pipe.MiddleX(), {}}, {Sensor::Yellow, pipe.YellowX(), {}}};
        layout.lines.push_back({pipe.MiddleX() + kLeftGap, pipe.YellowX() - kRightGap, lineY, true, true, {}});
        break;
    default:
        layout.boxes = {{Sensor::Red, pipe.RedX(), DistanceText(0.0f, units)},
                        {Sensor::Blue, pipe.BlueX(redBlue, redYellow), DistanceText(redBlue, units)},
                        {Sensor::Yellow, pipe.YellowX(), DistanceText(redYellow, units)}};
        break;
    }
    return layout;
}

}  // namespace korvanta
