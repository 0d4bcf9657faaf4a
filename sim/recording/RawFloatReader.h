#pragma once

// Headerless float recordings are read through libsndfile too (SoundFileReader's overloads with a
// rate and a channel count); the name stays for callers that read them by it.
#include "sim/recording/SoundFileReader.h"

namespace korvanta::sim {

using RawFloatReader = SoundFileReader;

}  // namespace korvanta::sim
