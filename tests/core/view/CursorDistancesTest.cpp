// The distances of the cursor from both sensors: at and beyond the pipe's window, along the
// sections, outside the pipe, in metres and feet, and the slider that follows them.
#include <gtest/gtest.h>

#include "core/pipe/Pipe.h"
#include "core/view/CursorDistances.h"

namespace korvanta {
namespace {

constexpr int kLayoutWidth = 625;

PipeSection Section(float length, float velocity)
{
    PipeSection section;
    section.length = length;
    section.velocity = velocity;
    section.diameter = 100.0f;
    section.inUse = 1;
    return section;
}

// 100 m at 1000 m/s: a travel time of 0.1 s.
PipeSections OneSection()
{
    PipeSections pipe{};
    pipe[0] = Section(100.0f, 1000.0f);
    return pipe;
}

struct Rig {
    explicit Rig(const PipeSections& p) : pipe(p) { cursor.Reset(scale); }
    // Puts the cursor on a delay with the pipe's window as limits.
    void At(float delay)
    {
        cursor.SetPipeLimits(scale, GetTravelTime(pipe));
        cursor.PlaceOnPeak(delay, scale);
    }
    PipeSections pipe;
    GraphScale scale{620, 0};
    CorrelationCursor cursor;
};

TEST(CursorDistancesTest, WithoutSectionsNothingIsShown)
{
    Rig rig(PipeSections{});
    rig.cursor.PlaceOnPeak(0.01f, rig.scale);
    const CursorDistances d = DescribeCursorDistances(rig.pipe, rig.cursor, UnitSystem::Metric, kLayoutWidth);
    EXPECT_EQ(d.sensor1, "");
    EXPECT_EQ(d.sensor2, "");
    EXPECT_EQ(d.sliderPosition, 0);
}

TEST(CursorDistancesTest, AlongThePipeInEitherUnit)
{
    Rig rig(OneSection());
    rig.At(0.02f);  // 60 m from sensor 1
    CursorDistances d = DescribeCursorDistances(rig.pipe, rig.cursor, UnitSystem::Metric, kLayoutWidth);
    EXPECT_EQ(d.sensor1, "60.0 m");
    EXPECT_EQ(d.sensor2, "40.0 m");
    EXPECT_EQ(d.sliderPosition, 375);
    EXPECT_FALSE(d.outsidePipe);
    d = DescribeCursorDistances(rig.pipe, rig.cursor, UnitSystem::Imperial, kLayoutWidth);
    EXPECT_EQ(d.sensor1, "196.9 ft");
    EXPECT_EQ(d.sensor2, "131.2 ft");
    EXPECT_EQ(d.sliderPosition, 375);  // the slider stays in metres' proportion
}

TEST(CursorDistancesTest, OnALimitTheCursorStandsAtASensorBeyondItOutside)
{
    Rig rig(OneSection());
    rig.At(0.0f);
    struct Case {
        int column;
        const char* sensor1;
        const char* sensor2;
        int slider;
    };
    const int left = rig.cursor.Limits().left;
    const int right = rig.cursor.Limits().right;
    const Case cases[] = {
        {left, "0.0 m", "100.0 m", 0},
        {left - 1, "Uden for område", "Uden for område", 0},
        {right, "100.0 m", "0.0 m", kLayoutWidth},
        {right + 5, "Uden for område", "Uden for område", kLayoutWidth},
        {left + 1, "0.6 m", "99.4 m", 3},  // 73 columns left of the centre
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(rig.cursor.ToColumn(c.column, rig.scale, 1));
        const CursorDistances d = DescribeCursorDistances(rig.pipe, rig.cursor, UnitSystem::Metric, kLayoutWidth);
        EXPECT_EQ(d.sensor1, c.sensor1) << c.column;
        EXPECT_EQ(d.sensor2, c.sensor2) << c.column;
        EXPECT_EQ(d.sliderPosition, c.slider) << c.column;
    }
}

TEST(CursorDistancesTest, ADelayOutsideThePipeReadsAsSuchNeverPastASensor)
{
    // Zoomed, the limits are the whole graph, so any column is "between the limits".
    Rig rig(OneSection());
    rig.cursor.SetWholeGraphLimits(rig.scale);
    struct Case {
        float delay;
        bool outside;
        int slider;
    };
    const Case cases[] = {
        {0.1f, true, kLayoutWidth},  // exactly the travel time counts as outside
        {0.15f, true, kLayoutWidth}, {-0.1f, true, 0}, {-0.3f, true, 0}, {0.099f, false, 621},
    };
    for (const Case& c : cases) {
        rig.cursor.PlaceOnPeak(c.delay, rig.scale);
        const CursorDistances d = DescribeCursorDistances(rig.pipe, rig.cursor, UnitSystem::Metric, kLayoutWidth);
        EXPECT_EQ(d.outsidePipe, c.outside) << c.delay;
        EXPECT_EQ(d.sliderPosition, c.slider) << c.delay;
        if (c.outside) {
            EXPECT_EQ(d.sensor1, "Uden for område") << c.delay;
            EXPECT_EQ(d.sensor2, "Uden for område") << c.delay;
        } else {
            EXPECT_EQ(d.sensor1, "99.5 m");
        }
    }
}

TEST(CursorDistancesTest, WalksSectionsWithTheirOwnVelocities)
{
    PipeSections pipe{};
    pipe[0] = Section(100.0f, 1000.0f);
    pipe[1] = Section(100.0f, 500.0f);
    Rig rig(pipe);
    rig.At(0.0f);
    const CursorDistances d = DescribeCursorDistances(rig.pipe, rig.cursor, UnitSystem::Metric, kLayoutWidth);
    EXPECT_EQ(d.sensor1, "125.0 m");
    EXPECT_EQ(d.sensor2, "75.0 m");
    EXPECT_EQ(d.sliderPosition, 390);  // 125 / (200 / 625) = 390.6
}

TEST(CursorDistancesTest, AZeroLengthPipeDoesNotDivideByZero)
{
    PipeSections pipe{};
    pipe[0] = Section(0.0f, 1000.0f);
    Rig rig(pipe);
    rig.cursor.PlaceOnPeak(0.0f, rig.scale);
    const CursorDistances d = DescribeCursorDistances(rig.pipe, rig.cursor, UnitSystem::Metric, kLayoutWidth);
    EXPECT_EQ(d.sensor1, "0.0 m");
    EXPECT_EQ(d.sliderPosition, 0);
}

}  // namespace
}  // namespace korvanta
