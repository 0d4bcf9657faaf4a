#include "core/correlation/CoherenceBand.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace korvanta {

namespace {

constexpr int kNeighbourhood = 12;  // bins either side a tone is compared with (about ±14 Hz)
constexpr int kMaxToneBins = 4;     // a tone is at most this wide (about 5 Hz)
constexpr double kToneContrast = 0.3;
constexpr int kSmoothing = 3;      // bins either side in the smoothed coherence
constexpr int kBridgedGap = 6;     // incoherent bins a band may span
constexpr double kSigmas = 4.0;    // how far above unrelated signals a coherent bin lies
constexpr double kMinCoherence = 0.1;
constexpr float kNotchMarginHz = 1.0f;

using Values = std::array<double, kSpectrumBins>;

// The median of the bins from `from` to `to` (clamped to the spectrum), 0 when there are none.
double Median(const CoherenceSpectrum& coherence, int from, int to)
{
    std::vector<double> values;
    for (int j = std::max(1, from); j <= std::min(kSpectrumBins - 1, to); ++j) {
        values.push_back(coherence.values[static_cast<size_t>(j)]);
    }
    if (values.empty()) {
        return 0.0;
    }
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

struct Tone {
    int from, to;  // bins, inclusive
    double contrast;
};

// Narrow runs of bins that stand out of their neighbourhood's median, up or down.
std::vector<Tone> FindTones(const CoherenceSpectrum& coherence, Values& baseline)
{
    std::vector<Tone> tones;
    std::array<bool, kSpectrumBins> odd{};
    // A tone stands out of its neighbourhood on both sides, so the edge of a band is none.
    constexpr int kGap = kMaxToneBins / 2;
    for (int k = 1; k < kSpectrumBins; ++k) {
        const double left = Median(coherence, k - kNeighbourhood, k - kGap - 1);
        const double right = Median(coherence, k + kGap + 1, k + kNeighbourhood);
        const double value = coherence.values[static_cast<size_t>(k)];
        baseline[static_cast<size_t>(k)] = 0.5 * (left + right);
        odd[static_cast<size_t>(k)] =
            value - std::max(left, right) > kToneContrast || std::min(left, right) - value > kToneContrast;
    }
    for (int k = 1; k < kSpectrumBins;) {
        if (!odd[static_cast<size_t>(k)]) {
            ++k;
            continue;
        }
        int end = k;
        double contrast = 0.0;
        while (end < kSpectrumBins && odd[static_cast<size_t>(end)]) {
            contrast = std::max(contrast, std::abs(coherence.values[static_cast<size_t>(end)] -
                                                   baseline[static_cast<size_t>(end)]));
            ++end;
        }
        if (end - k <= kMaxToneBins) {
            tones.push_back({k, end - 1, contrast});
        }
        k = end;
    }
    return tones;
}

}  // namespace

std::optional<FilterSettings> ProposeCoherenceBand(const CoherenceSpectrum& coherence)
{
    if (coherence.pairs < 2) {
        return std::nullopt;
    }
    Values baseline{};
    std::vector<Tone> tones = FindTones(coherence, baseline);

    // The coherence with the tones replaced by their surroundings, smoothed.
    Values cleaned{};
    for (int k = 1; k < kSpectrumBins; ++k) {
        cleaned[static_cast<size_t>(k)] = coherence.values[static_cast<size_t>(k)];
    }
    for (const Tone& tone : tones) {
        for (int k = tone.from; k <= tone.to; ++k) {
            cleaned[static_cast<size_t>(k)] = baseline[static_cast<size_t>(k)];
        }
    }
    const double n = coherence.pairs;
    const double floor = 1.0 / n;
    const double spread = std::sqrt((n - 1.0) / (n * n * (n + 1.0)));
    const double threshold =
        std::max(kMinCoherence, floor + kSigmas * spread / std::sqrt(2.0 * kSmoothing + 1.0));
    std::array<bool, kSpectrumBins> coherent{};
    for (int k = 1; k < kSpectrumBins; ++k) {
        double sum = 0.0;
        int count = 0;
        for (int j = std::max(1, k - kSmoothing); j <= std::min(kSpectrumBins - 1, k + kSmoothing); ++j) {
            sum += cleaned[static_cast<size_t>(j)];
            ++count;
        }
        coherent[static_cast<size_t>(k)] = sum / count >= threshold;
    }

    // The stretch of coherent bins (gaps up to kBridgedGap bridged) with the most excess coherence.
    int bestFrom = -1, bestTo = -1;
    double bestMass = 0.0;
    for (int k = 1; k < kSpectrumBins;) {
        if (!coherent[static_cast<size_t>(k)]) {
            ++k;
            continue;
        }
        const int from = k;
        int last = k;
        double mass = 0.0;
        for (int j = k; j < kSpectrumBins && j - last <= kBridgedGap; ++j) {
            if (coherent[static_cast<size_t>(j)]) {
                last = j;
            }
        }
        for (int j = from; j <= last; ++j) {
            mass += std::max(0.0, cleaned[static_cast<size_t>(j)] - floor);
        }
        if (mass > bestMass) {
            bestMass = mass;
            bestFrom = from;
            bestTo = last;
        }
        k = last + 1;
    }
    if (bestFrom < 0) {
        return std::nullopt;
    }
    // The smoothing widens a stretch by a few bins; its ends are the first and last coherent bins.
    while (bestFrom < bestTo && cleaned[static_cast<size_t>(bestFrom)] < threshold) {
        ++bestFrom;
    }
    while (bestTo > bestFrom && cleaned[static_cast<size_t>(bestTo)] < threshold) {
        --bestTo;
    }

    FilterSettings filters;
    filters.lowCutoff = std::max(1.0f, static_cast<float>(BinFrequency(bestFrom)));
    filters.highCutoff = std::min(1220.0f, static_cast<float>(BinFrequency(bestTo + 1)));
    // The strongest tones inside the band get the notches.
    std::erase_if(tones, [&](const Tone& tone) { return tone.to < bestFrom || tone.from > bestTo; });
    std::sort(tones.begin(), tones.end(), [](const Tone& a, const Tone& b) { return a.contrast > b.contrast; });
    for (size_t i = 0; i < tones.size() && i < static_cast<size_t>(kNotchCount); ++i) {
        filters.notches[i].low = std::max(1.0f, static_cast<float>(BinFrequency(tones[i].from)) - kNotchMarginHz);
        filters.notches[i].high =
            std::min(1220.0f, static_cast<float>(BinFrequency(tones[i].to + 1)) + kNotchMarginHz);
    }
    return filters;
}

}  // namespace korvanta
