#pragma once

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/values/UnitSystem.h"

#include "core/velocity/RegressionFit.h"
#include "core/velocity/RegressionPoint.h"

namespace korvanta {

// The regression chart's scales: delays from -timeSpan/2 to +timeSpan/2 across, lengths from 0
// to lengthSpan up.
struct RegressionChartScale {
    float timeSpan = 0.8f;      // s: 0.8, 2.5 or 4.2 by the largest correlation range
    float timeTick = 0.05f;     // s between ticks on the delay axis
    float lengthSpan = 200.0f;  // m
    float lengthTick = 50.0f;   // m between ticks on the length axis
};
RegressionChartScale MakeRegressionChartScale(std::span<const RegressionPoint> points);

// The drawing area inside the chart control: its client rectangle less 20 pixels left and right
// and 30 pixels at top and bottom.
struct ChartArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int controlWidth = 0;
    static ChartArea ForControl(int width, int height) { return {20, 30, width - 20, height - 30, width}; }
};

// A point of the chart in pixels: the delay axis is centred on the control.
std::pair<double, double> ChartPixel(const ChartArea& area, const RegressionChartScale& scale, float delay,
                                     float length);

// The ends (delay, length) of the regression line across the chart, each moved along the line
// onto L = 0 or L = lengthSpan when it lies outside. A flat line outside puts its ends at the
// delay of the first point.
struct ChartLine {
    float delay1, length1, delay2, length2;
};
ChartLine RegressionLineEnds(const RegressionFit& fit, const RegressionChartScale& scale,
                             std::span<const RegressionPoint> points);

// A tick of an axis: its place in pixels (x on the delay axis, y on the length axis) and how far
// it reaches from the axis.
struct ChartTick {
    int position;
    int size;
};
// The delay axis along the bottom edge: a tick every timeTick from the left edge, 5 pixels at
// every second one and 2 between.
std::vector<ChartTick> DelayTicks(const ChartArea& area, const RegressionChartScale& scale);
// The length axis up the middle: a tick every lengthTick from the bottom edge.
std::vector<ChartTick> LengthTicks(const ChartArea& area, const RegressionChartScale& scale);

// The chart's texts in the user's units: the axis titles, the delays at the left and right ends
// (whole milliseconds or seconds with two decimals) and the lengths at the top and the middle of
// the length axis.
struct RegressionChartLabels {
    std::string delayTitle;
    std::string lengthTitle;
    std::string left;
    std::string right;
    std::string top;
    std::string middle;
};
RegressionChartLabels MakeRegressionChartLabels(const RegressionChartScale& scale, UnitSystem units, TimeUnit time);

}  // namespace korvanta
