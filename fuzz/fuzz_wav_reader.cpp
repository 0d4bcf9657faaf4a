// Arbitrary bytes as a WAV file and as raw float samples; whatever is accepted is resampled to the
// outstations' rate as a replay would.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "sim/BlockTiming.h"
#include "sim/recording/RawFloatReader.h"
#include "sim/recording/Resampler.h"
#include "sim/recording/WavReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace korvanta::sim;
    const std::span<const uint8_t> bytes(data, size);
    SignalFile signal;
    std::string error;
    if (WavReader::Parse(bytes, signal, error)) {
        if (signal.samples.size() <= 4096 && signal.sampleRate >= 1000.0 && signal.sampleRate <= 200000.0) {
            const Resampler resampler(signal.sampleRate, kSampleRate);
            (void)resampler.Run(signal.samples);
        }
    } else if (error.empty()) {
        __builtin_trap();
    }
    SignalFile raw;
    const int channels = size > 0 ? 1 + data[0] % 4 : 1;
    if (!RawFloatReader::Parse(bytes, 8000.0, channels, raw, error) && error.empty()) {
        __builtin_trap();
    }
    return 0;
}
