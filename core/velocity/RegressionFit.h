#pragma once

#include <cstdint>
#include <span>

#include "core/velocity/RegressionPoint.h"

namespace korvanta {

// The straight line L = intercept + slope · τ through the included points, by least squares:
// the velocity is |slope|, the noise source lies intercept / 2 from the static sensor.
struct RegressionFit {
    float slope = 0.0f;      // m/s
    float intercept = 0.0f;  // m
    float meanDelay = 0.0f;
    float meanLength = 0.0f;
    float sxx = 0.0f;
    float sxy = 0.0f;
    uint16_t included = 0;
    // A line exists with at least two included points.
    bool HasLine() const { return included >= 2; }
};

// The sums run in double precision over the stored single-precision points and the results are
// kept in single precision, so three exact points 0.1 s apart give exactly 1000 m/s. A slope of 0
// when all included delays are equal.
RegressionFit FitRegression(std::span<const RegressionPoint> points);

}  // namespace korvanta
