#pragma once

namespace korvanta::sim {

// An outstation samples 4096 values per block, one block every 0.8388608 s.
inline constexpr int kSamplesPerBlock = 4096;
inline constexpr double kBlockSeconds = 0.8388608;
inline constexpr double kSampleRate = kSamplesPerBlock / kBlockSeconds;  // about 4882.8 Hz
inline constexpr int kCodedBins = 1024;                                  // bins sent per block

// Seconds from the start of sampling to the moment block `blockNumber` is complete.
double BlockReadyTime(int blockNumber);

}  // namespace korvanta::sim
