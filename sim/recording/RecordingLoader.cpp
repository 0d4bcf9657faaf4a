#include "sim/recording/RecordingLoader.h"

#include "sim/BlockTiming.h"
#include "sim/recording/Resampler.h"
#include "sim/recording/SoundFileReader.h"

namespace korvanta::sim {

namespace {

constexpr double kFullScale = 32768.0;

}  // namespace

ReplayTrack LoadReplayTrack(const RecordingSettings& recording, std::string& error, std::string* warning)
{
    SignalFile signal;
    const bool read =
        recording.format == RecordingFormat::SoundFile
            ? SoundFileReader::ReadFile(recording.path, signal, error)
            : SoundFileReader::ReadFile(recording.path, recording.sampleRate, recording.channels, signal, error);
    if (!read) {
        return nullptr;
    }
    if (static_cast<double>(signal.samples.size()) / signal.sampleRate > kMaxRecordingSeconds) {
        error = recording.path + ": the recording lasts longer than an hour; a few minutes are plenty, as it loops";
        return nullptr;
    }
    if (warning != nullptr && !signal.warning.empty()) {
        *warning = recording.path + ": " + signal.warning;
    }
    std::vector<double> samples = Resampler(signal.sampleRate, kSampleRate).Run(signal.samples);
    if (samples.empty()) {
        error =
            recording.path + ": the recording could not be resampled from " + std::to_string(signal.sampleRate) + " Hz";
        return nullptr;
    }
    for (double& sample : samples) {
        sample *= kFullScale;
    }
    if (samples.size() < RecordingReplay::kMinTrackSamples) {
        error = recording.path + ": the recording is too short (at least " +
                std::to_string(RecordingReplay::kMinTrackSamples) + " samples at the outstations' rate)";
        return nullptr;
    }
    return std::make_shared<const std::vector<double>>(std::move(samples));
}

}  // namespace korvanta::sim
