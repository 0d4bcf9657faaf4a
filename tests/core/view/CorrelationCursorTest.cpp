// The graph's column arithmetic: window limits, the cursor's column and delay for every kind of
// move, and the delay text in both time units.
#include <gtest/gtest.h>

#include <functional>

#include "core/view/CorrelationCursor.h"
#include "core/view/GraphScale.h"

namespace korvanta {
namespace {

constexpr int kWidth = 620;

TEST(GraphScaleTest, SpanPerRangeAndCentre)
{
    EXPECT_FLOAT_EQ(GraphTimeSpan(0), 0.838861f);
    EXPECT_FLOAT_EQ(GraphTimeSpan(1), 2.516583f);
    EXPECT_FLOAT_EQ(GraphTimeSpan(2), 4.194305f);
    EXPECT_EQ(GraphTimeSpan(3), 0.0f);
    const GraphScale scale(kWidth, 0);
    EXPECT_EQ(scale.CentreColumn(), 310);
    EXPECT_FLOAT_EQ(scale.ColumnSeconds(), 0.838861f / 620.0f);
    EXPECT_EQ(scale.WholeGraph(), (ColumnWindow{0, 619}));
}

TEST(GraphScaleTest, PipeWindowIsCutToTheGraph)
{
    struct Case {
        uint32_t range;
        float travelTime;
        ColumnWindow expected;
    };
    const float column0 = 0.838861f / 620.0f;
    const Case cases[] = {
        {0, 0.1f, {310 - 74, 310 + 73}},  // 0.1 s is 73.9 columns; both ends are truncated
        {0, 100.5f * column0, {209, 410}},
        {0, 0.0f, {310, 310}},
        {0, 5.0f, {0, 619}},  // longer than the graph: the whole graph
        {2, 1.0f, {310 - 148, 310 + 147}},
        {7, 0.1f, {0, 619}},  // an unknown range has no scale
    };
    for (const Case& c : cases) {
        const GraphScale scale(kWidth, c.range);
        EXPECT_EQ(scale.PipeWindow(c.travelTime), c.expected) << c.range << " " << c.travelTime;
    }
}

TEST(GraphScaleTest, ColumnOfADelayRoundsToTheNearest)
{
    const GraphScale scale(kWidth, 0);
    const float column = scale.ColumnSeconds();
    EXPECT_EQ(scale.ColumnForDelay(0.0f), 310);
    EXPECT_EQ(scale.ColumnForDelay(10.4f * column), 320);
    EXPECT_EQ(scale.ColumnForDelay(10.6f * column), 321);
    EXPECT_EQ(scale.ColumnForDelay(-10.4f * column), 300);
    EXPECT_EQ(scale.ColumnForDelay(-0.4194304f), 0);
    // Far beyond the graph: stays an ordinary number outside it.
    EXPECT_FALSE(scale.Contains(scale.ColumnForDelay(1.0e30f)));
    EXPECT_FALSE(scale.Contains(scale.ColumnForDelay(-1.0e30f)));
}

class CursorTest : public testing::Test {
protected:
    GraphScale scale_{kWidth, 0};
    CorrelationCursor cursor_;
    float column_ = 0.838861f / 620.0f;

    void SetUp() override { cursor_.Reset(scale_); }
};

TEST_F(CursorTest, StartsWithoutAPreviousColumnAndTheWholeGraph)
{
    EXPECT_EQ(cursor_.PreviousColumn(), 650);
    EXPECT_FALSE(scale_.Contains(cursor_.PreviousColumn()));
    EXPECT_EQ(cursor_.Limits(), scale_.WholeGraph());
    EXPECT_FALSE(cursor_.LimitsFromPipe());
}

TEST_F(CursorTest, PeakSetsDelayAndColumn)
{
    cursor_.PlaceOnPeak(0.0123f, scale_);
    EXPECT_TRUE(cursor_.OnPeak());
    EXPECT_FLOAT_EQ(cursor_.Delay(), 0.0123f);
    EXPECT_EQ(cursor_.Column(), 319);  // 9.09 columns right of the centre
    EXPECT_EQ(cursor_.DelayText(TimeUnit::Seconds), "0.0123");
    EXPECT_EQ(cursor_.DelayText(TimeUnit::Milliseconds), "12.3");
}

TEST_F(CursorTest, MovesCarryTheDelayByColumnsOverZoom)
{
    struct Case {
        const char* name;
        unsigned zoom;
        std::function<bool(CorrelationCursor&, const GraphScale&, unsigned)> move;
        int column;
        float columnsMoved;
    };
    const Case cases[] = {
        {"step right", 1, [](auto& c, auto& s, unsigned z) { return c.StepRight(s, z); }, 320, 1.0f},
        {"step left", 1, [](auto& c, auto& s, unsigned z) { return c.StepLeft(s, z); }, 318, -1.0f},
        {"step right zoomed", 4, [](auto& c, auto& s, unsigned z) { return c.StepRight(s, z); }, 320, 0.25f},
        {"click", 1, [](auto& c, auto& s, unsigned z) { return c.ToColumn(400, s, z); }, 400, 81.0f},
        {"click zoomed", 2, [](auto& c, auto& s, unsigned z) { return c.ToColumn(300, s, z); }, 300, -9.5f},
        {"left limit", 1, [](auto& c, auto& s, unsigned z) { return c.ToLeftLimit(s, z); }, 0, -319.0f},
        {"right limit", 1, [](auto& c, auto& s, unsigned z) { return c.ToRightLimit(s, z); }, 619, 300.0f},
    };
    for (const Case& c : cases) {
        cursor_.Reset(scale_);
        cursor_.PlaceOnPeak(0.0123f, scale_);
        ASSERT_EQ(cursor_.Column(), 319);
        ASSERT_TRUE(c.move(cursor_, scale_, c.zoom)) << c.name;
        EXPECT_EQ(cursor_.Column(), c.column) << c.name;
        EXPECT_EQ(cursor_.PreviousColumn(), 319) << c.name;
        EXPECT_FALSE(cursor_.OnPeak()) << c.name;
        EXPECT_NEAR(cursor_.Delay(), 0.0123f + c.columnsMoved * column_, 1e-6f) << c.name;
    }
}

TEST_F(CursorTest, MovesStopAtTheGraphEdges)
{
    ASSERT_TRUE(cursor_.ToColumn(0, scale_, 1));
    EXPECT_FALSE(cursor_.StepLeft(scale_, 1));
    ASSERT_TRUE(cursor_.ToColumn(619, scale_, 1));
    EXPECT_FALSE(cursor_.StepRight(scale_, 1));
    EXPECT_FALSE(cursor_.ToColumn(620, scale_, 1));
    EXPECT_FALSE(cursor_.ToColumn(-1, scale_, 1));
    EXPECT_EQ(cursor_.Column(), 619);
}

TEST_F(CursorTest, InsideLimitsIncludesBothLimitColumns)
{
    cursor_.SetPipeLimits(scale_, 100.5f * column_);
    ASSERT_EQ(cursor_.Limits(), (ColumnWindow{209, 410}));
    EXPECT_TRUE(cursor_.LimitsFromPipe());
    ASSERT_TRUE(cursor_.ToLeftLimit(scale_, 1));
    EXPECT_TRUE(cursor_.InsideLimits());
    ASSERT_TRUE(cursor_.StepLeft(scale_, 1));
    EXPECT_FALSE(cursor_.InsideLimits());
    ASSERT_TRUE(cursor_.ToRightLimit(scale_, 1));
    EXPECT_EQ(cursor_.Column(), 410);
    EXPECT_TRUE(cursor_.InsideLimits());
    ASSERT_TRUE(cursor_.StepRight(scale_, 1));
    EXPECT_FALSE(cursor_.InsideLimits());
}

TEST_F(CursorTest, RelocateAfterAZoomKeepsTheDelay)
{
    cursor_.PlaceOnPeak(0.0123f, scale_);
    cursor_.Relocate(580);
    EXPECT_EQ(cursor_.Column(), 580);
    EXPECT_EQ(cursor_.PreviousColumn(), 319);
    EXPECT_FLOAT_EQ(cursor_.Delay(), 0.0123f);
}

}  // namespace
}  // namespace korvanta
