#pragma once

#include <string>

namespace korvanta::sim {

enum class RecordingFormat { Wav, RawFloat32 };

// Where a station's recorded signal comes from.
struct RecordingSettings {
    std::string path;
    RecordingFormat format = RecordingFormat::Wav;
    double sampleRate = 0.0;  // raw files only
    int channels = 1;         // raw files only
};

}  // namespace korvanta::sim
