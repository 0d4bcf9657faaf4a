#include "core/correlation/PeakCandidates.h"

#include <algorithm>
#include <cmath>

#include "core/correlation/CorrelationTrace.h"

namespace korvanta {

namespace {

uint32_t HalfHeightWidth(std::span<const float> span, uint32_t top)
{
    const float half = 0.5f * span[top];
    uint32_t left = top;
    while (left > 0 && span[left - 1] >= half) {
        --left;
    }
    uint32_t right = top;
    while (right + 1 < span.size() && span[right + 1] >= half) {
        ++right;
    }
    return std::max<uint32_t>(1, right - left);
}

// The highest local maximum within `reach` lags of the top that is not on the top's own hump
// (the slopes that fall away from it on both sides).
CorrelationPeak CycleRival(std::span<const float> span, uint32_t top, uint32_t reach)
{
    const auto spanLags = static_cast<uint32_t>(span.size());
    uint32_t left = top;
    while (left > 0 && span[left - 1] <= span[left]) {
        --left;
    }
    uint32_t right = top;
    while (right + 1 < spanLags && span[right + 1] <= span[right]) {
        ++right;
    }
    CorrelationPeak rival{0, 0.0f, 0.0f, 0.0f};
    const uint32_t from = std::max<uint32_t>(1, top > reach ? top - reach : 0);
    const uint32_t to = std::min(spanLags - 1, top + reach + 1);
    for (uint32_t j = from; j < to; ++j) {
        if ((j < left || j > right) && span[j] >= span[j - 1] && span[j] > span[j + 1] && span[j] > rival.height) {
            rival = {j, DelayOfLag(j, spanLags), span[j], span[j] / span[top]};
        }
    }
    return rival;
}

float Median(std::span<const float> span)
{
    std::vector<float> values;
    values.reserve(span.size());
    for (float value : span) {
        if (value > 0.0f) {
            values.push_back(value);  // blanked lags are zero and no part of the noise
        }
    }
    if (values.empty()) {
        return 0.0f;
    }
    auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

}  // namespace

uint32_t LagOfDelay(float delay, uint32_t spanLags)
{
    const double lag = std::round(static_cast<double>(delay) / kLagSeconds) + spanLags / 2;
    return static_cast<uint32_t>(std::clamp(lag, 0.0, static_cast<double>(spanLags > 0 ? spanLags - 1 : 0)));
}

float DelayOfLag(uint32_t lag, uint32_t spanLags)
{
    return static_cast<float>(static_cast<int32_t>(lag) - static_cast<int32_t>(spanLags / 2)) * kLagSeconds;
}

PeakAnalysis AnalysePeaks(std::span<const float> span, uint32_t topLag, double maxDelay, uint32_t minLobeLags)
{
    PeakAnalysis analysis;
    const auto spanLags = static_cast<uint32_t>(span.size());
    if (span.empty() || topLag >= spanLags || !(span[topLag] > 0.0f)) {
        return analysis;
    }
    analysis.valid = true;
    const float top = span[topLag];
    analysis.top = {topLag, DelayOfLag(topLag, spanLags), top, 1.0f};
    analysis.lobeLags = std::max(HalfHeightWidth(span, topLag), minLobeLags);
    analysis.medianLevel = Median(span);
    analysis.cycleRival = CycleRival(span, topLag, analysis.lobeLags);

    // Local maxima within the allowed delays, highest first.
    std::vector<uint32_t> maxima;
    for (uint32_t j = 1; j + 1 < spanLags; ++j) {
        const float value = span[j];
        if (value > 0.0f && value >= span[j - 1] && value > span[j + 1] &&
            (maxDelay <= 0.0 || std::abs(DelayOfLag(j, spanLags)) < maxDelay)) {
            maxima.push_back(j);
        }
    }
    std::sort(maxima.begin(), maxima.end(), [&span](uint32_t a, uint32_t b) { return span[a] > span[b]; });
    std::vector<uint32_t> taken{topLag};
    for (uint32_t j : maxima) {
        if (analysis.candidates.size() >= static_cast<size_t>(kMaxCandidates)) {
            break;
        }
        const bool distinct = std::all_of(taken.begin(), taken.end(), [&](uint32_t other) {
            return (j > other ? j - other : other - j) > analysis.lobeLags;
        });
        if (distinct) {
            taken.push_back(j);
            analysis.candidates.push_back({j, DelayOfLag(j, spanLags), span[j], span[j] / top});
        }
    }
    return analysis;
}

}  // namespace korvanta
