#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace korvanta {

inline constexpr float kLagSeconds = 0.0002048f;
inline constexpr int kSegmentLags = 4096;
inline constexpr int kSegmentCount = 5;

// Lags in the span of a correlation range (4096, 12288, 20480), or 0 for a range that does not exist.
uint32_t SpanLags(uint32_t range);

// Reduces the long correlation to a display trace of W columns, finds the peak and rates it;
// keeps the zoom window and the blanked stretch that the user chose.
class CorrelationTrace {
public:
    void Init(std::span<int32_t> output, uint32_t width, uint32_t height);
    bool IsInitialised() const { return !trace_.empty(); }

    // Walks the span (the middle segments of the correlation for `range`); zeroes blanked lags
    // in place. Returns false when the pairs are too few for the range or the range is invalid.
    bool Build(float* correlation, uint32_t range, uint32_t pairCount);
    // Whether the last Build found a lag above zero: without one (a filter that passes no bin,
    // silent blocks) the trace is flat and its "peak" at the first lag means nothing.
    bool HasPeak() const { return hasPeak_; }

    uint32_t SetZoom(uint32_t range, uint32_t& column, uint32_t factor);
    bool CanZoom(uint32_t range, uint32_t factor) const;
    bool SetBlanking(uint32_t columnA, uint32_t columnB);
    void ResetZoom();

    float Delay() const { return delay_; }
    uint32_t Quality() const { return quality_; }
    uint32_t ZoomFactor() const { return zoomFactor_; }
    double ZoomStart() const { return zoomStart_; }
    double ZoomCentre() const { return zoomCentre_; }
    double TraceScale() const { return traceScale_; }
    bool BlankingOn() const { return blankingOn_ != 0; }
    double BlankStart() const { return blankStart_; }
    double BlankEnd() const { return blankEnd_; }
    uint32_t Width() const { return width_; }
    const std::vector<float>& DisplayTrace() const { return trace_; }

private:
    std::vector<float> trace_;
    std::span<int32_t> output_;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    bool hasPeak_ = false;
    uint32_t zoomFactor_ = 1;
    double zoomStart_ = 0.0;
    double zoomCentre_ = 0.5;
    double traceScale_ = 1.0;
    double blankStart_ = 0.0;
    double blankEnd_ = 0.0;
    uint8_t blankingOn_ = 0;
    float delay_ = 0.0f;
    uint32_t quality_ = 0;
};

}  // namespace korvanta
