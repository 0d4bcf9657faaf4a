#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/threestation/ThreeStationChart.h"
#include "core/threestation/ThreeStationIcons.h"
#include "core/threestation/ThreeStationTexts.h"

namespace korvanta {
namespace {

TEST(ThreeStationIcons, BatteryLevelsFollowTheRawValue)
{
    struct Case {
        int unit;
        bool present;
        int value;
        int icon;
    };
    const Case cases[] = {
        {1, true, 191, 290}, {1, true, 190, 289}, {1, true, 127, 289}, {1, true, 126, 288},
        {2, true, 64, 292},  {2, true, 63, 291},  {3, true, 14, 295},  {3, true, 13, 299},
        {0, true, 2, 299},   {0, true, 1, 300},   {0, true, 255, 304}, {2, false, 200, 300},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "unit " << c.unit << " value " << c.value);
        EXPECT_EQ(BatteryIcon(c.unit, c.present, c.value), c.icon);
    }
}

TEST(ThreeStationIcons, UnitsSensorsAndRadioShowTheirState)
{
    EXPECT_EQ(UnitIcon(0, true), 305);
    EXPECT_EQ(UnitIcon(0, false), 306);
    EXPECT_EQ(UnitIcon(1, true), 281);
    EXPECT_EQ(UnitIcon(2, true), 278);
    EXPECT_EQ(UnitIcon(3, true), 283);
    EXPECT_EQ(UnitIcon(3, false), 307);
    EXPECT_EQ(SensorIcon(1, true), 189);
    EXPECT_EQ(SensorIcon(2, true), 188);
    EXPECT_EQ(SensorIcon(3, true), 191);
    EXPECT_EQ(SensorIcon(3, false), 250);
    EXPECT_EQ(RadioIcon(true, 3), 181);
    EXPECT_EQ(RadioIcon(true, 2), 182);
    EXPECT_EQ(RadioIcon(false, 3), 249);
    EXPECT_EQ(PairSensorIcons(6), std::make_pair(281, 278));
    EXPECT_EQ(PairSensorIcons(10), std::make_pair(281, 283));
    EXPECT_EQ(PairSensorIcons(12), std::make_pair(278, 283));
    EXPECT_EQ(PairSensorIcons(14), std::make_pair(0, 0));
}

TEST(ThreeStationIcons, StartNeedsEveryUnitAndSensorButStopStaysUsable)
{
    ThreeStationUnits all;
    all.present.fill(true);
    all.sensor = {false, true, true, true};  // the interface unit's own sensor is not needed
    EXPECT_TRUE(StartButtonEnabled(all, false));
    for (int unit = 0; unit < 4; ++unit) {
        SCOPED_TRACE(unit);
        ThreeStationUnits missing = all;
        missing.present[static_cast<size_t>(unit)] = false;
        EXPECT_FALSE(StartButtonEnabled(missing, false));
        EXPECT_TRUE(StartButtonEnabled(missing, true));
        if (unit > 0) {
            ThreeStationUnits unplugged = all;
            unplugged.sensor[static_cast<size_t>(unit)] = false;
            EXPECT_FALSE(StartButtonEnabled(unplugged, false));
        }
    }
}

TEST(ThreeStationIcons, TheProcessBarCountsSixSetsRound)
{
    int position = 0;
    std::vector<int> seen;
    for (int set = 0; set < 6; ++set) {
        position = NextProgress(position);
        seen.push_back(position);
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 0}));
}

TEST(ThreeStationTexts, DelayAndValueReadAsTheFormShowsThem)
{
    EXPECT_EQ(PairDelayText(-0.0188f, TimeUnit::Seconds), "-0.02");
    EXPECT_EQ(PairDelayText(-0.0188f, TimeUnit::Milliseconds), "-18.80");
    EXPECT_EQ(PairQualityText(22), "22:1");
}

CThreeStationResult ResultOnMain(float l0, float l1, double leak, double velocity)
{
    CThreeStationResult result;
    const float l2 = l0 + l1;
    const std::array<float, 3> distances = {l0, l1, l2};
    for (int i = 0; i < 3; ++i) {
        result.SetPair(i, {i, 0.0f, distances[static_cast<size_t>(i)], 0, 0.0f});
    }
    const auto arrival = [&](double at) { return std::fabs(at - leak) / velocity; };
    result.SetDelays(static_cast<float>(arrival(0) - arrival(l0)), static_cast<float>(arrival(l0) - arrival(l2)),
                     static_cast<float>(arrival(0) - arrival(l2)));
    result.Compute();
    return result;
}

TEST(ThreeStationChart, BlueStandsAtItsShareKeptClearOfTheEnds)
{
    const PipePicture pipe{627, 195};
    EXPECT_EQ(pipe.BlueX(120.0f, 300.0f), 30 + 567 * 120 / 300);
    EXPECT_EQ(pipe.BlueX(1.0f, 2000.0f), 110);
    EXPECT_EQ(pipe.BlueX(1999.0f, 2000.0f), 627 - 110);
    EXPECT_EQ(pipe.BlueX(0.0f, 0.0f), pipe.BlueX(1.0f, 2.0f));  // no distances: the middle
    EXPECT_EQ(pipe.Top(), 97);
    EXPECT_EQ(pipe.Bottom(), 127);
}

TEST(ThreeStationChart, AValidResultGetsMarkersAndLabelledLines)
{
    const CThreeStationResult result = ResultOnMain(120.0f, 180.0f, 48.0, 1282.0);
    ASSERT_TRUE(result.IsValid());
    const ThreeStationChartLayout layout = LayOutResultChart(627, 195, result, UnitSystem::Metric);
    EXPECT_TRUE(layout.blueShown);
    EXPECT_TRUE(layout.outsideText.empty());
    EXPECT_EQ(layout.unitText, "m");
    ASSERT_EQ(layout.markers.size(), 2u);
    // Below the pipe on red/yellow at 48 of 300 m, above it on red/blue at 48 of 120 m.
    EXPECT_FALSE(layout.markers[0].above);
    EXPECT_NEAR(layout.markers[0].x, 30 + 567 * 48 / 300, 1);
    EXPECT_TRUE(layout.markers[1].above);
    EXPECT_NEAR(layout.markers[1].x, 30 + (layout.blueX - 30) * 48 / 120, 1);
    ASSERT_EQ(layout.lines.size(), 4u);
    EXPECT_EQ(layout.lines[0].label, "48.00");
    EXPECT_EQ(layout.lines[1].label, "252.00");
    EXPECT_EQ(layout.lines[2].label, "48.00");
    EXPECT_EQ(layout.lines[3].label, "72.00");
    EXPECT_EQ(layout.lines[0].y, 97 + 50);
    EXPECT_EQ(layout.lines[2].y, 97 - 54);

    const ThreeStationChartLayout feet = LayOutResultChart(627, 195, result, UnitSystem::Imperial);
    EXPECT_EQ(feet.unitText, "ft");
    EXPECT_EQ(feet.lines[0].label, "157.48");
}

TEST(ThreeStationChart, MarkersKeepFiftyPixelsFromTheirSensors)
{
    // 3 m from red on 1200 m: the markers would stand on red's box.
    const CThreeStationResult result = ResultOnMain(500.0f, 700.0f, 3.0, 1000.0);
    const ThreeStationChartLayout layout = LayOutResultChart(627, 195, result, UnitSystem::Metric);
    ASSERT_EQ(layout.markers.size(), 2u);
    EXPECT_EQ(layout.markers[0].x, 30 + 50);
    EXPECT_EQ(layout.markers[1].x, 30 + 50);
    // The labels still give the metres.
    EXPECT_EQ(layout.lines[0].label, "3.00");
}

TEST(ThreeStationChart, SegmentsAtBlueAndBeyondYellowAreDrawnAsSuch)
{
    const ThreeStationChartLayout atBlue =
        LayOutResultChart(627, 195, ResultOnMain(100.0f, 200.0f, 100.0, 1000.0), UnitSystem::Metric);
    EXPECT_FALSE(atBlue.blueShown);
    EXPECT_EQ(atBlue.markers.size(), 1u);
    EXPECT_EQ(atBlue.lines.size(), 2u);

    const ThreeStationChartLayout beyond =
        LayOutResultChart(627, 195, ResultOnMain(100.0f, 200.0f, 420.0, 1000.0), UnitSystem::Metric);
    EXPECT_EQ(beyond.outsideText, "Uden for område");
    EXPECT_EQ(beyond.outsideY, 97 + 33);
    EXPECT_TRUE(beyond.markers.empty());
    ASSERT_EQ(beyond.lines.size(), 1u);
    EXPECT_FALSE(beyond.lines[0].arrowAtX1);
    EXPECT_TRUE(beyond.lines[0].arrowAtX2);  // pointing at yellow

    CThreeStationResult nothing;
    nothing.SetPair(0, {0, 0.0f, 100.0f, 0, 0.0f});
    nothing.Compute();
    const ThreeStationChartLayout none = LayOutResultChart(627, 195, nothing, UnitSystem::Metric);
    EXPECT_EQ(none.outsideText, "Uden for område");
    EXPECT_EQ(none.note, "OBS! Beregning ikke mulig");
}

TEST(ThreeStationChart, TheWizardPicturesShowWhatEachPageAsksFor)
{
    const SetupPictureLayout first = LayOutSetupPicture(300, 120, 1, 0.0f, 0.0f, UnitSystem::Metric);
    ASSERT_EQ(first.boxes.size(), 2u);
    EXPECT_EQ(first.boxes[1].x, 150);
    ASSERT_EQ(first.lines.size(), 1u);
    EXPECT_EQ(first.lines[0].x1, 42);
    EXPECT_EQ(first.lines[0].x2, 137);
    EXPECT_EQ(first.lines[0].y, 60 - 22);

    const SetupPictureLayout second = LayOutSetupPicture(300, 120, 2, 120.0f, 0.0f, UnitSystem::Metric);
    EXPECT_EQ(second.boxes[1].sensor, SetupPictureLayout::Sensor::Yellow);
    EXPECT_EQ(second.lines[0].x2, 270 - 13);

    const SetupPictureLayout third = LayOutSetupPicture(400, 120, 3, 120.0f, 300.0f, UnitSystem::Imperial);
    ASSERT_EQ(third.boxes.size(), 3u);
    EXPECT_EQ(third.boxes[1].x, 30 + 340 * 120 / 300);
    EXPECT_EQ(third.boxes[0].position, "0.00");
    EXPECT_EQ(third.boxes[1].position, "393.70");
    EXPECT_EQ(third.boxes[2].position, "984.25");
    EXPECT_EQ(third.unitText, "ft");
    EXPECT_TRUE(third.lines.empty());
}

}  // namespace
}  // namespace korvanta
