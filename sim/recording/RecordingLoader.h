#pragma once

#include <string>

#include "sim/recording/RecordingReplay.h"
#include "sim/recording/RecordingSettings.h"

namespace korvanta::sim {

inline constexpr double kMaxRecordingSeconds = 3600.0;

// Reads a recording and brings it to the outstations' sampling rate (full scale +-1 becomes
// +-32768 converter units, as a 16-bit converter reads it). Null, with the reason in `error`,
// when the file cannot be read or lasts longer than kMaxRecordingSeconds; `warning` tells of
// anything put up with.
ReplayTrack LoadReplayTrack(const RecordingSettings& recording, std::string& error, std::string* warning = nullptr);

}  // namespace korvanta::sim
