#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/BlockClock.h"
#include "sim/GaussianNoise.h"

namespace korvanta::sim {

struct NoiseStation {
    double delaySeconds = 0.0;  // when the leak's sound arrives here; only differences matter
    double snrDb = 20.0;        // source power over this station's own noise power; +inf: no noise
};

struct LeakNoiseConfig {
    double lowHz = 100.0;  // the leak noise's band
    double highHz = 800.0;
    double sourceRms = 1000.0;  // rms of the leak noise at every station, in converter units
    uint64_t seed = 1;
    std::vector<NoiseStation> stations;
};

// One block of every station, sampled over the same span of time.
struct SampledBlock {
    int blockNumber = 0;                       // 0 for the first block after a start of sampling
    int64_t firstSample = 0;                   // sampling-clock tick of the block's first sample
    std::vector<std::vector<double>> samples;  // per station, kSamplesPerBlock each
};

// Stations on one pipe hearing one leak: white Gaussian noise band-limited to [low, high], reaching
// each station at its own (possibly fractional) delay, plus the station's own white noise.
// The leak noise is one continuous stream: delays cross block borders, and consecutive blocks of
// a station join seamlessly. Built by a band-pass kernel sampled at each station's fractional
// delay and run over the shared white noise. Deterministic for a seed and call sequence.
class LeakNoiseGenerator {
public:
    static constexpr int kMaxStations = 8;
    static constexpr double kMaxDelaySeconds = 10.0;
    static constexpr double kMaxGapSeconds = BlockClock::kMaxGapSeconds;
    // Beyond these the station's noise no longer codes into a block (or the leak is inaudible
    // below any block's resolution); +infinity still means a station without noise.
    static constexpr double kMinSnrDb = -60.0;
    static constexpr double kMaxSnrDb = 200.0;

    // Empty when the configuration is usable, else what is wrong with it.
    static std::string Check(const LeakNoiseConfig& config);
    // Nullopt when Check finds a fault.
    static std::optional<LeakNoiseGenerator> Create(const LeakNoiseConfig& config);

    // The next block of every station, in step, right after the previous one.
    SampledBlock NextBlock();

    // A new start of sampling: the next block is number 0 again and begins gapSeconds (rounded to
    // whole ticks, clamped to 0 .. kMaxGapSeconds) after the end of the last block. The leak goes on.
    void Restart(double gapSeconds = 0.0);

    int NextBlockNumber() const { return clock_.NextBlockNumber(); }
    int64_t NextSample() const { return clock_.NextSample(); }

private:
    struct Station {
        int64_t wholeDelay = 0;    // whole ticks of the delay
        std::vector<double> taps;  // kernel at the fractional rest, reversed for a forward dot product
        double noiseSigma = 0.0;
        GaussianNoise noise;
    };

    explicit LeakNoiseGenerator(const LeakNoiseConfig& config);
    void FillSource(int64_t first, int64_t last);

    std::vector<Station> stations_;
    GaussianNoise source_;
    std::vector<double> white_;  // the leak's white noise from tick whiteBase_ on
    int64_t whiteBase_ = 0;
    BlockClock clock_;
};

}  // namespace korvanta::sim
