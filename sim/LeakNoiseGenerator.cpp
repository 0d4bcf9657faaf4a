#include "sim/LeakNoiseGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "sim/BandPassKernel.h"
#include "sim/BlockTiming.h"

namespace korvanta::sim {

namespace {

constexpr int64_t kReach = BandPassKernel::kHalfWidth + 1;  // ticks the kernel reaches back

std::string FormatLimit(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

std::string LeakNoiseGenerator::Check(const LeakNoiseConfig& config)
{
    if (!std::isfinite(config.lowHz) || !std::isfinite(config.highHz) || config.lowHz < 0.0 ||
        config.highHz > kSampleRate / 2.0 || config.lowHz >= config.highHz) {
        return "the band must satisfy 0 <= low < high <= " + std::to_string(kSampleRate / 2.0) + " Hz";
    }
    if (!std::isfinite(config.sourceRms) || config.sourceRms <= 0.0) {
        return "the source level must be a positive number";
    }
    if (config.stations.empty() || config.stations.size() > static_cast<size_t>(kMaxStations)) {
        return "there must be 1 to " + std::to_string(kMaxStations) + " stations";
    }
    for (const NoiseStation& station : config.stations) {
        if (!std::isfinite(station.delaySeconds) || std::abs(station.delaySeconds) > kMaxDelaySeconds) {
            return "a station delay must lie within +-" + std::to_string(kMaxDelaySeconds) + " s";
        }
        const bool noiseless = station.snrDb == std::numeric_limits<double>::infinity();
        if (!noiseless && !(station.snrDb >= kMinSnrDb && station.snrDb <= kMaxSnrDb)) {
            return "a station's signal-to-noise ratio must lie in " + FormatLimit(kMinSnrDb) + ".." +
                   FormatLimit(kMaxSnrDb) + " dB (or be +infinity)";
        }
    }
    return {};
}

std::optional<LeakNoiseGenerator> LeakNoiseGenerator::Create(const LeakNoiseConfig& config)
{
    if (!Check(config).empty()) {
        return std::nullopt;
    }
    return LeakNoiseGenerator(config);
}

LeakNoiseGenerator::LeakNoiseGenerator(const LeakNoiseConfig& config) : source_(config.seed, 0)
{
    const BandPassKernel kernel(config.lowHz, config.highHz, kSampleRate);
    for (size_t i = 0; i < config.stations.size(); ++i) {
        const NoiseStation& wanted = config.stations[i];
        const double ticks = wanted.delaySeconds * kSampleRate;
        const double whole = std::floor(ticks);
        Station station{.wholeDelay = static_cast<int64_t>(whole),
                        .taps = kernel.Taps(ticks - whole, config.sourceRms),
                        .noiseSigma = config.sourceRms * std::pow(10.0, -wanted.snrDb / 20.0),
                        .noise = GaussianNoise(config.seed, i + 1)};
        std::reverse(station.taps.begin(), station.taps.end());
        stations_.push_back(std::move(station));
    }
}

void LeakNoiseGenerator::FillSource(int64_t first, int64_t last)
{
    const int64_t end = whiteBase_ + static_cast<int64_t>(white_.size());
    if (white_.empty() || first >= end) {
        // Nothing kept is needed (first block, or sampling jumped ahead): noise never heard by
        // any station need not be drawn, white noise has no memory.
        white_.clear();
        whiteBase_ = first;
    } else if (first > whiteBase_) {
        white_.erase(white_.begin(), white_.begin() + (first - whiteBase_));
        whiteBase_ = first;
    }
    while (whiteBase_ + static_cast<int64_t>(white_.size()) <= last) {
        white_.push_back(source_.Next());
    }
}

SampledBlock LeakNoiseGenerator::NextBlock()
{
    const int64_t start = clock_.NextSample();
    int64_t first = std::numeric_limits<int64_t>::max();
    int64_t last = std::numeric_limits<int64_t>::min();
    for (const Station& station : stations_) {
        first = std::min(first, start - station.wholeDelay - kReach);
        last = std::max(last, start + kSamplesPerBlock - 1 - station.wholeDelay + kReach);
    }
    FillSource(first, last);

    SampledBlock block;
    block.blockNumber = clock_.NextBlockNumber();
    block.firstSample = start;
    block.samples.resize(stations_.size());
    for (size_t s = 0; s < stations_.size(); ++s) {
        Station& station = stations_[s];
        std::vector<double>& out = block.samples[s];
        out.resize(kSamplesPerBlock);
        const double* white = white_.data() + (start - station.wholeDelay - kReach - whiteBase_);
        const double* taps = station.taps.data();
        const size_t tapCount = station.taps.size();
        for (size_t n = 0; n < out.size(); ++n) {
            double sum = 0.0;
            for (size_t u = 0; u < tapCount; ++u) {
                sum += taps[u] * white[n + u];
            }
            out[n] = sum;
        }
        if (station.noiseSigma > 0.0) {
            for (double& sample : out) {
                sample += station.noiseSigma * station.noise.Next();
            }
        }
    }
    clock_.Advance();
    return block;
}

void LeakNoiseGenerator::Restart(double gapSeconds)
{
    clock_.Restart(gapSeconds);
}

}  // namespace korvanta::sim
