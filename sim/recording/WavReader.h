#pragma once

// Sound files, WAV among them, are read through libsndfile; the name stays for callers that
// read WAV files by it.
#include "sim/recording/SoundFileReader.h"

namespace korvanta::sim {

using WavReader = SoundFileReader;

}  // namespace korvanta::sim
