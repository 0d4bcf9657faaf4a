#include "sim/recording/RawFloatReader.h"

#include <bit>
#include <cmath>

#include "sim/recording/WavReader.h"
#include "sim/recording/WholeFile.h"

namespace korvanta::sim {

bool RawFloatReader::Parse(std::span<const uint8_t> bytes, double sampleRate, int channels, SignalFile& result,
                           std::string& error)
{
    if (!std::isfinite(sampleRate) || sampleRate <= 0.0 || sampleRate > kMaxSampleRate) {
        error = "a raw recording needs a sample rate in 0..10 MHz";
        return false;
    }
    if (channels < 1 || channels > kMaxChannels) {
        error = "a raw recording has 1 to " + std::to_string(kMaxChannels) + " channels";
        return false;
    }
    const size_t frameBytes = 4 * static_cast<size_t>(channels);
    const size_t frames = bytes.size() / frameBytes;
    if (frames == 0) {
        error = "the recording holds no whole frame";
        return false;
    }
    SignalFile signal;
    signal.sampleRate = sampleRate;
    signal.samples.resize(frames);
    for (size_t i = 0; i < frames; ++i) {
        const uint8_t* p = bytes.data() + i * frameBytes;
        const uint32_t bits = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
        const float value = std::bit_cast<float>(bits);
        signal.samples[i] = std::isfinite(value) ? value : 0.0f;
    }
    if (bytes.size() % frameBytes != 0) {
        signal.warning = "the recording ends in a part of a frame, which was left out";
    }
    result = std::move(signal);
    return true;
}

bool RawFloatReader::ReadFile(const std::string& path, double sampleRate, int channels, SignalFile& result,
                              std::string& error)
{
    std::string bytes;
    if (!ReadWholeFile(path, WavReader::kMaxFileBytes, bytes, error)) {
        return false;
    }
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    if (!Parse(std::span<const uint8_t>(data, bytes.size()), sampleRate, channels, result, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

}  // namespace korvanta::sim
