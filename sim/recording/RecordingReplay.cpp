#include "sim/recording/RecordingReplay.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "sim/BlockTiming.h"
#include "sim/LeakNoiseGenerator.h"

namespace korvanta::sim {

std::unique_ptr<RecordingReplay> RecordingReplay::Create(std::vector<ReplayTrack> tracks, uint64_t seed,
                                                         std::string* error)
{
    int64_t period = std::numeric_limits<int64_t>::max();
    double power = 0.0;
    size_t samples = 0;
    for (const ReplayTrack& track : tracks) {
        if (!track) {
            continue;
        }
        if (track->size() < kMinTrackSamples) {
            if (error != nullptr) {
                *error = "a recording must last at least " + std::to_string(kMinTrackSamples) + " samples";
            }
            return nullptr;
        }
        period = std::min(period, static_cast<int64_t>(track->size()));
        for (const double v : *track) {
            power += v * v;
        }
        samples += track->size();
    }
    if (samples == 0) {
        if (error != nullptr) {
            *error = "no station has a recording";
        }
        return nullptr;
    }
    const double rms = std::sqrt(power / static_cast<double>(samples));
    const double quietSigma = rms > 0.0 ? kQuietShare * rms : 1.0;
    return std::unique_ptr<RecordingReplay>(new RecordingReplay(std::move(tracks), seed, period, quietSigma));
}

RecordingReplay::RecordingReplay(std::vector<ReplayTrack> tracks, uint64_t seed, int64_t period, double quietSigma)
    : tracks_(std::move(tracks)), period_(period), quietSigma_(quietSigma)
{
    for (size_t i = 0; i < tracks_.size(); ++i) {
        quiet_.emplace_back(seed, 0x500 + i);
    }
}

SampledBlock RecordingReplay::NextBlock()
{
    SampledBlock block;
    block.blockNumber = clock_.NextBlockNumber();
    block.firstSample = clock_.NextSample();
    block.samples.resize(tracks_.size());
    for (size_t s = 0; s < tracks_.size(); ++s) {
        std::vector<double>& out = block.samples[s];
        out.resize(kSamplesPerBlock);
        if (!tracks_[s]) {
            for (double& sample : out) {
                sample = quietSigma_ * quiet_[s].Next();
            }
            continue;
        }
        const std::vector<double>& track = *tracks_[s];
        int64_t position = clock_.NextSample() % period_;
        for (double& sample : out) {
            sample = track[static_cast<size_t>(position)];
            if (++position == period_) {
                position = 0;
            }
        }
    }
    clock_.Advance();
    return block;
}

void RecordingReplay::Restart(double gapSeconds)
{
    clock_.Restart(gapSeconds);
}

}  // namespace korvanta::sim
