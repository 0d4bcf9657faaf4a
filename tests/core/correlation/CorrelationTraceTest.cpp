#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "core/correlation/CorrelationTrace.h"

namespace korvanta {
namespace {

class CorrelationTraceTest : public testing::Test {
protected:
    void SetUp() override { trace_.Init(output_, 620, 180); }

    float* Span(uint32_t range) { return correlation_.data() + (5 * 4096 - SpanLags(range)) / 2; }

    std::array<int32_t, 620> output_{};
    std::vector<float> correlation_ = std::vector<float>(5 * 4096, 0.0f);
    CorrelationTrace trace_;
};

TEST_F(CorrelationTraceTest, TooFewPairsOrNoSuchRangeBuildsNothing)
{
    EXPECT_FALSE(trace_.Build(correlation_.data(), 1, 1));
    EXPECT_FALSE(trace_.Build(correlation_.data(), 3, 100));
    EXPECT_TRUE(trace_.Build(correlation_.data(), 1, 2));
}

TEST_F(CorrelationTraceTest, AllZeroCorrelationPeaksAtTheFirstLag)
{
    ASSERT_TRUE(trace_.Build(correlation_.data(), 0, 1));
    EXPECT_FALSE(trace_.HasPeak());  // drawn, but no result to report
    EXPECT_FLOAT_EQ(trace_.Delay(), -2048 * 0.0002048f);
    EXPECT_EQ(trace_.TraceScale(), 1.0);
    EXPECT_EQ(trace_.Quality(), 1u);
}

TEST_F(CorrelationTraceTest, PeakAtTheCentreIsZeroDelay)
{
    for (const uint32_t range : {0u, 1u, 2u}) {
        std::fill(correlation_.begin(), correlation_.end(), 1.0f);
        Span(range)[SpanLags(range) / 2] = 50.0f;
        ASSERT_TRUE(trace_.Build(correlation_.data(), range, 3));
        EXPECT_TRUE(trace_.HasPeak());
        EXPECT_EQ(trace_.Delay(), 0.0f) << range;
    }
}

TEST_F(CorrelationTraceTest, FirstOfEqualPeaksWinsAndDelayIsSinglePrecision)
{
    Span(1)[9000] = 7.0f;
    Span(1)[9500] = 7.0f;
    ASSERT_TRUE(trace_.Build(correlation_.data(), 1, 2));
    EXPECT_EQ(trace_.Delay(), static_cast<float>(9000 - 6144) * 0.0002048f);
}

TEST_F(CorrelationTraceTest, SharpPeakQualityIsCappedAt99)
{
    Span(0)[1000] = 1000.0f;
    Span(0)[3000] = 0.001f;
    ASSERT_TRUE(trace_.Build(correlation_.data(), 0, 1));
    EXPECT_EQ(trace_.Quality(), 99u);
    EXPECT_EQ(*std::max_element(output_.begin(), output_.end()), 180);
}

TEST_F(CorrelationTraceTest, BlankedStretchCannotHoldThePeak)
{
    std::fill(correlation_.begin(), correlation_.end(), 1.0f);
    Span(0)[2048] = 100.0f;  // column 310
    Span(0)[500] = 50.0f;
    ASSERT_TRUE(trace_.SetBlanking(300, 320));
    ASSERT_TRUE(trace_.Build(correlation_.data(), 0, 1));
    EXPECT_EQ(trace_.Delay(), static_cast<float>(500 - 2048) * 0.0002048f);
    EXPECT_EQ(Span(0)[2048], 0.0f);  // zeroed in place until computed again
    EXPECT_EQ(Span(0)[2047], 0.0f);
    ASSERT_TRUE(trace_.SetBlanking(0, 0));
}

TEST_F(CorrelationTraceTest, ZoomFollowsTheClickedPoint)
{
    uint32_t column = 600;
    EXPECT_EQ(trace_.SetZoom(0, column, 2), 2u);
    EXPECT_DOUBLE_EQ(trace_.ZoomStart(), 0.5);
    EXPECT_EQ(column, 580u);

    // Eight times is more than one lag per column in range 0: back to no zoom.
    column = 100;
    EXPECT_FALSE(trace_.CanZoom(0, 8));
    EXPECT_EQ(trace_.SetZoom(0, column, 8), 1u);
    EXPECT_EQ(column, 310u);
    EXPECT_EQ(trace_.ZoomStart(), 0.0);

    column = 310;
    EXPECT_EQ(trace_.SetZoom(2, column, 4), 4u);  // centre of the window
    EXPECT_EQ(column, 310u);
    EXPECT_DOUBLE_EQ(trace_.ZoomStart(), 0.5 - 0.125);
    EXPECT_FALSE(trace_.CanZoom(2, 2));  // zooming out goes through a reset
    column = 10;
    EXPECT_EQ(trace_.SetZoom(2, column, 1), 1u);
    EXPECT_EQ(trace_.ZoomFactor(), 1u);

    column = 20;
    EXPECT_EQ(trace_.SetZoom(0, column, 0), 1u);  // a factor of 0 resets instead of dividing by it
}

TEST_F(CorrelationTraceTest, ZoomedBuildKeepsDelayAndQualityAndRefusesBlanking)
{
    Span(0)[3000] = 10.0f;
    ASSERT_TRUE(trace_.Build(correlation_.data(), 0, 1));
    const float delay = trace_.Delay();
    const uint32_t quality = trace_.Quality();
    uint32_t column = 100;
    trace_.SetZoom(0, column, 4);
    Span(0)[200] = 99.0f;
    ASSERT_TRUE(trace_.Build(correlation_.data(), 0, 1));
    EXPECT_EQ(trace_.Delay(), delay);
    EXPECT_EQ(trace_.Quality(), quality);
    EXPECT_FALSE(trace_.SetBlanking(10, 20));
    EXPECT_FALSE(trace_.BlankingOn());
}

}  // namespace
}  // namespace korvanta
