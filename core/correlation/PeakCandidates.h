#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace korvanta {

// One peak of the correlation: its lag within the range's span, its delay in seconds and its
// height relative to the top peak (1 for the top itself).
struct CorrelationPeak {
    uint32_t lag = 0;
    float delay = 0.0f;
    float height = 0.0f;
    float relative = 1.0f;
};

// The shape of a correlation around its top peak and the next distinct peaks beside it.
struct PeakAnalysis {
    CorrelationPeak top;
    // Width of the top's main lobe at half its height, in lags (at least 1). Peaks closer to the
    // top or to each other than this are one peak.
    uint32_t lobeLags = 1;
    // Up to kMaxCandidates next highest peaks, highest first, each a local maximum of the span
    // within the allowed delays and farther than the main lobe's width from every higher one.
    std::vector<CorrelationPeak> candidates;
    // The highest hump inside the main lobe beside the top's own (relative 0 when there is none):
    // a narrow band's correlation rings, and noise may lift the next cycle over the top.
    CorrelationPeak cycleRival{0, 0.0f, 0.0f, 0.0f};
    // Median of the span's values (blanked lags left out): the level of the correlation's noise.
    float medianLevel = 0.0f;
    bool valid = false;  // false for an empty or all-zero span
};

inline constexpr int kMaxCandidates = 3;

// `span` holds the correlation over the range's span (zero delay at its middle lag), `topLag` the
// engine's peak. Candidates are looked for only where |delay| < maxDelay (the pipe's travel
// time); maxDelay <= 0 allows the whole span. The main lobe is at least `minLobeLags` wide: the
// band's resolution, inside which the envelope's fine structure (two humps of a spectrum beating,
// a dispersive pipe) is one arrival, not two.
PeakAnalysis AnalysePeaks(std::span<const float> span, uint32_t topLag, double maxDelay, uint32_t minLobeLags = 1);

// The lag of a delay in a span of `spanLags` lags.
uint32_t LagOfDelay(float delay, uint32_t spanLags);
float DelayOfLag(uint32_t lag, uint32_t spanLags);

}  // namespace korvanta
