#include "core/velocity/RegressionChart.h"

#include <algorithm>
#include <cmath>

#include "core/pipe/UnitConversion.h"
#include "core/text/StringIds.h"
#include "core/text/StringTable.h"

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

std::vector<ChartTick> DelayTicks(const ChartArea& area, const RegressionChartScale& scale)
{
    // The spans are whole numbers of ticks (16, 20 or 14); rounding keeps the last one on the
    // right edge whatever the float steps.
    const long count = std::lround(scale.timeSpan / scale.timeTick);
    const double width = area.right - area.left;
    std::vector<ChartTick> ticks;
    for (long i = 0; i <= count; ++i) {
        const double x = area.left + double(i) * scale.timeTick * width / scale.timeSpan;
        ticks.push_back({static_cast<int>(std::lround(x)), i % 2 == 0 ? 5 : 2});
    }
    return ticks;
}

std::vector<ChartTick> LengthTicks(const ChartArea& area, const RegressionChartScale& scale)
{
    if (scale.lengthSpan <= 0.0f || scale.lengthTick <= 0.0f) {
        return {};
    }
    const auto count = static_cast<long>(std::floor(scale.lengthSpan / scale.lengthTick + 1e-3));
    const double height = area.bottom - area.top;
    std::vector<ChartTick> ticks;
    for (long i = 0; i <= count; ++i) {
        const double y = area.bottom - double(i) * scale.lengthTick * height / scale.lengthSpan;
        ticks.push_back({static_cast<int>(std::lround(y)), 3});
    }
    return ticks;
}

RegressionChartLabels MakeRegressionChartLabels(const RegressionChartScale& scale, UnitSystem units, TimeUnit time)
{
    RegressionChartLabels labels;
    const bool milliseconds = time == TimeUnit::Milliseconds;
    labels.delayTitle = std::string(LoadString(str::kChartDelayTitle)) + (milliseconds ? "(ms)" : "(s)");
    labels.lengthTitle =
        std::string(LoadString(str::kChartLengthTitle)) + (units == UnitSystem::Imperial ? "(ft)" : "(m)");
    const double half = scale.timeSpan / 2.0;
    if (milliseconds) {
        const int whole = static_cast<int>(std::lround(half * kSecondsToMilliseconds));
        labels.left = std::to_string(-whole);
        labels.right = std::to_string(whole);
    } else {
        labels.left = FormatNumber("%0.2f", -half);
        labels.right = FormatNumber("%0.2f", half);
    }
    labels.top = FormatNumber("%0.1f", LengthForDisplay(scale.lengthSpan, units));
    labels.middle = FormatNumber("%0.1f", LengthForDisplay(scale.lengthSpan / 2.0f, units));
    return labels;
}

}  // namespace korvanta
