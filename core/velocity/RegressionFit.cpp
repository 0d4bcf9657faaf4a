#include "core/velocity/RegressionFit.h"

namespace korvanta {

RegressionFit FitRegression(std::span<const RegressionPoint> points)
{
    RegressionFit fit;
    double sumDelay = 0.0;
    double sumLength = 0.0;
    for (const RegressionPoint& point : points) {
        if (point.included == 1) {
            sumDelay += point.delay;
            sumLength += point.length;
            ++fit.included;
        }
    }
    if (fit.included == 0) {
        return fit;
    }
    const double meanDelay = sumDelay / fit.included;
    const double meanLength = sumLength / fit.included;
    double sxx = 0.0;
    double sxy = 0.0;
    for (const RegressionPoint& point : points) {
        if (point.included == 1) {
            const double dx = point.delay - meanDelay;
            sxx += dx * dx;
            sxy += dx * (point.length - meanLength);
        }
    }
    const double slope = sxx != 0.0 ? sxy / sxx : 0.0;
    fit.meanDelay = static_cast<float>(meanDelay);
    fit.meanLength = static_cast<float>(meanLength);
    fit.sxx = static_cast<float>(sxx);
    fit.sxy = static_cast<float>(sxy);
    fit.slope = static_cast<float>(slope);
    fit.intercept = static_cast<float>(meanLength - meanDelay * slope);
    return fit;
}

}  // namespace korvanta
