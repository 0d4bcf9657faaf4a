#pragma once

namespace korvanta {

// The inverse transform that turns one packed 8192-float sum of cross-spectra into its
// correlation in place (layout and scaling of InverseRealFft). The engine uses its own; the
// benchmarks swap in a reference library behind the same call.
class ISegmentTransform {
public:
    virtual ~ISegmentTransform() = default;
    virtual void Transform(float* data) const = 0;
};

}  // namespace korvanta
