#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sim/BlockClock.h"
#include "sim/BlockSource.h"
#include "sim/GaussianNoise.h"

namespace korvanta::sim {

// A recording brought to the outstations' sampling rate, shared by every run that replays it.
using ReplayTrack = std::shared_ptr<const std::vector<double>>;

// Recorded sensor signals played in place of the pipe model, one track per station, all starting
// together at the first start of sampling. Time runs on through restarts and gaps as it would in
// the field. The tracks loop together with the period of the shortest, so that the stations stay
// in step with each other. A station without a track hears only a faint noise of its own (at
// kQuietShare of the tracks' rms), as a sensor on another pipe would.
class RecordingReplay final : public BlockSource {
public:
    static constexpr double kQuietShare = 1e-3;
    static constexpr size_t kMinTrackSamples = 16;

    // One entry per station; null for a station without a recording. Null, with the reason in
    // `error` when given, when there is no track at all or a track is shorter than
    // kMinTrackSamples.
    static std::unique_ptr<RecordingReplay> Create(std::vector<ReplayTrack> tracks, uint64_t seed,
                                                   std::string* error = nullptr);

    SampledBlock NextBlock() override;
    void Restart(double gapSeconds) override;
    int NextBlockNumber() const override { return clock_.NextBlockNumber(); }

    int64_t Period() const { return period_; }

private:
    RecordingReplay(std::vector<ReplayTrack> tracks, uint64_t seed, int64_t period, double quietSigma);

    std::vector<ReplayTrack> tracks_;
    std::vector<GaussianNoise> quiet_;
    int64_t period_;
    double quietSigma_;
    BlockClock clock_;
};

}  // namespace korvanta::sim
