#include "core/correlation/CorrelationTrace.h"

#include <algorithm>

#include "core/correlation/SaturatingCast.h"

namespace korvanta {

uint32_t SpanLags(uint32_t range)
{
    return range <= 2 ? 8192u * range + 4096u : 0u;
}

void CorrelationTrace::Init(std::span<int32_t> output, uint32_t width, uint32_t height)
{
    width_ = std::min<uint32_t>(width, static_cast<uint32_t>(output.size()));
    height_ = height;
    output_ = output.first(width_);
    trace_.assign(width_, 0.0f);
}

bool CorrelationTrace::Build(float* correlation, uint32_t range, uint32_t pairCount)
{
    const uint32_t spanLags = SpanLags(range);
    if (pairCount <= range || spanLags == 0 || width_ == 0) {
        return false;
    }
    // The span is the middle 1, 3 or 5 segments of the five laid side by side.
    float* span = correlation + (kSegmentCount * kSegmentLags - spanLags) / 2;

    const float lags = static_cast<float>(spanLags);
    const uint32_t zoom = std::max<uint32_t>(zoomFactor_, 1);
    float step = lags / static_cast<float>(width_ * zoom);
    if (step < 1.0f) {
        step = 1.0f;
    }
    const uint32_t origin = static_cast<uint32_t>(lags * zoomStart_);
    const int64_t blankFrom = blankStart_ > zoomStart_ ? static_cast<int64_t>((blankStart_ - zoomStart_) * lags) : 0;
    const int64_t blankTo = blankEnd_ > zoomStart_ ? static_cast<int64_t>((blankEnd_ - zoomStart_) * lags) : 0;

    float running = 0.0f;
    uint32_t column = 0;
    float peak = 0.0f;
    uint32_t peakLag = 0;
    float traceMax = 0.0f;
    float traceSum = 0.0f;
    const uint32_t windowLags = spanLags / zoom;
    // The window stops before the span's last lag.
    for (uint32_t j = 0; j < windowLags && origin + j < spanLags - 1; ++j) {
        float& value = span[origin + j];
        if (blankingOn_ && blankFrom < j && j < blankTo) {
            value = 0.0f;
        }
        if (value > peak) {
            peak = value;
            peakLag = j;
        }
        if (value > running) {
            running = value;
        }
        if (static_cast<int64_t>(j) > static_cast<int64_t>(static_cast<float>(column) * step) && column < width_) {
            trace_[column] = running / step;
            traceMax = std::max(traceMax, trace_[column]);
            traceSum = traceSum + trace_[column];
            ++column;
            running = 0.0f;
        }
    }
    if (column < width_) {
        trace_[column] = running / step;
    }

    if (zoom == 1) {
        delay_ = static_cast<float>(static_cast<int32_t>(peakLag) - static_cast<int32_t>(spanLags / 2)) * kLagSeconds;
    }
    traceScale_ = traceMax > 0.0f ? static_cast<double>(height_) / traceMax : 1.0;
    for (uint32_t k = 0; k < width_; ++k) {
        output_[k] = SaturatingTrunc<int32_t>(trace_[k] * traceScale_);
    }
    if (zoom == 1) {
        quality_ = traceSum > 0.0f ? SaturatingTrunc<uint32_t>(static_cast<float>(width_) * traceMax / traceSum) : 1u;
        quality_ = std::min<uint32_t>(quality_, 99);
    }
    hasPeak_ = peak > 0.0f;
    return true;
}

void CorrelationTrace::ResetZoom()
{
    zoomFactor_ = 1;
    zoomStart_ = 0.0;
}

uint32_t CorrelationTrace::SetZoom(uint32_t range, uint32_t& column, uint32_t factor)
{
    const double lags = SpanLags(range);
    if (factor == 0 || width_ == 0 || lags / (static_cast<double>(factor) * width_) < 1.0 || factor < zoomFactor_) {
        zoomStart_ = 0.0;
        zoomCentre_ = 0.5;
        zoomFactor_ = 1;
        column = width_ / 2;
        return 1;
    }
    const double x = factor == 1 ? static_cast<double>(column) / width_
                                 : zoomStart_ + (static_cast<double>(column) / width_) / zoomFactor_;
    const double half = 1.0 / (2.0 * factor);
    if (x > half && x + half <= 1.0) {
        zoomStart_ = x - half;
        column = width_ / 2;
    } else if (x > half) {
        zoomStart_ = 1.0 - 2.0 * half;
        column = static_cast<uint32_t>(factor * (x - zoomStart_) * width_ + 0.5);
    } else {
        zoomStart_ = 0.0;
        column = static_cast<uint32_t>(factor * x * width_ + 0.5);
    }
    zoomCentre_ = x;
    zoomFactor_ = factor;
    return factor;
}

bool CorrelationTrace::CanZoom(uint32_t range, uint32_t factor) const
{
    const double lags = SpanLags(range);
    return factor != 0 && width_ != 0 && lags / (static_cast<double>(factor) * width_) >= 1.0 && factor >= zoomFactor_;
}

bool CorrelationTrace::SetBlanking(uint32_t columnA, uint32_t columnB)
{
    if (zoomFactor_ != 1 || width_ == 0) {
        blankStart_ = 0.0;
        blankEnd_ = 0.0;
        blankingOn_ = 0;
        return false;
    }
    blankStart_ = static_cast<double>(columnA) / width_;
    blankEnd_ = static_cast<double>(columnB) / width_;
    blankingOn_ = 1;
    return true;
}

}  // namespace korvanta
