#pragma once

#include <string>

namespace korvanta::sim {

// A sound file (WAV, FLAC, Ogg Vorbis, ... with its own header) or headerless 32-bit floats.
enum class RecordingFormat { SoundFile, RawFloat32 };

// Where a station's recorded signal comes from.
struct RecordingSettings {
    std::string path;
    RecordingFormat format = RecordingFormat::SoundFile;
    double sampleRate = 0.0;  // raw files only
    int channels = 1;         // raw files only
};

}  // namespace korvanta::sim
