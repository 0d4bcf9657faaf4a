#include "core/velocity/RegressionChart.h"

#include <algorithm>
#include <cmath>

namespace korvanta {

namespace {

constexpr float kTimeSpans[3] = {0.8f, 2.5f, 4.2f};
constexpr float kTimeTicks[3] = {0.05f, 0.125f, 0.3f};

std::pair<float, float> EndOnChart(float delay, const RegressionFit& fit, const RegressionChartScale& scale,
                                   float firstDelay)
{
    const float length = fit.intercept + fit.slope * delay;
    if (length > 0.0f && length < scale.lengthSpan) {
        return {delay, length};
    }
    const float edge = length <= 0.0f ? 0.0f : scale.lengthSpan;
    if (fit.slope == 0.0f) {
        return {firstDelay, edge};
    }
    return {(edge - fit.intercept) / fit.slope, edge};
}

}  // namespace

RegressionChartScale MakeRegressionChartScale(std::span<const RegressionPoint> points)
{
    RegressionChartScale scale;
    int range = 0;
    float longest = 0.0f;
    for (const RegressionPoint& point : points) {
        range = std::max<int>(range, std::min<int>(point.range, 2));
        longest = std::max(longest, point.length);
    }
    scale.timeSpan = kTimeSpans[range];
    scale.timeTick = kTimeTicks[range];
    // The next multiple of 100 m above the longest pipe, at least 200 m; beyond 4999 m the
    // longest pipe itself.
    float span = (std::floor(longest / 100.0f) + 1.0f) * 100.0f;
    span = std::max(span, 200.0f);
    scale.lengthSpan = span > 4999.0f ? longest : span;
    if (scale.lengthSpan < 500.0f) {
        scale.lengthTick = 50.0f;
    } else if (scale.lengthSpan < 1000.0f) {
        scale.lengthTick = 100.0f;
    } else {
        scale.lengthTick = scale.lengthSpan / 10.0f;
    }
    return scale;
}

std::pair<double, double> ChartPixel(const ChartArea& area, const RegressionChartScale& scale, float delay,
                                     float length)
{
    const double x = area.controlWidth / 2.0 + double(delay) * (area.right - area.left) / scale.timeSpan;
    const double y = area.bottom - double(area.bottom - area.top) * length / scale.lengthSpan;
    return {x, y};
}

ChartLine RegressionLineEnds(const RegressionFit& fit, const RegressionChartScale& scale,
                             std::span<const RegressionPoint> points)
{
    const float firstDelay = points.empty() ? 0.0f : points.front().delay;
    const auto [d1, l1] = EndOnChart(-scale.timeSpan / 2.0f, fit, scale, firstDelay);
    const auto [d2, l2] = EndOnChart(scale.timeSpan / 2.0f, fit, scale, firstDelay);
    return {d1, l1, d2, l2};
}

}  // namespace korvanta
