#include "sim/recording/SoundFileReader.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <sstream>
#include <vector>

#include "sim/recording/WholeFile.h"

namespace korvanta::sim {

namespace {

// libsndfile reads from the bytes in memory through these.
struct MemoryFile {
    std::span<const uint8_t> bytes;
    sf_count_t position = 0;
};

sf_count_t Length(void* user)
{
    return static_cast<sf_count_t>(static_cast<MemoryFile*>(user)->bytes.size());
}

sf_count_t Seek(sf_count_t offset, int whence, void* user)
{
    auto* file = static_cast<MemoryFile*>(user);
    const auto size = static_cast<sf_count_t>(file->bytes.size());
    sf_count_t target = offset;
    if (whence == SEEK_CUR) {
        target = file->position + offset;
    } else if (whence == SEEK_END) {
        target = size + offset;
    }
    if (target < 0 || target > size) {
        return -1;
    }
    file->position = target;
    return target;
}

sf_count_t Read(void* out, sf_count_t count, void* user)
{
    auto* file = static_cast<MemoryFile*>(user);
    const auto size = static_cast<sf_count_t>(file->bytes.size());
    const sf_count_t n = std::clamp<sf_count_t>(size - file->position, 0, std::max<sf_count_t>(count, 0));
    if (n > 0) {
        std::memcpy(out, file->bytes.data() + file->position, static_cast<size_t>(n));
        file->position += n;
    }
    return n;
}

sf_count_t Write(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t Tell(void* user)
{
    return static_cast<MemoryFile*>(user)->position;
}

struct Closer {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

// What libsndfile noted about a file it could still read: a header whose sizes disagree with the
// file ("data : 200 (should be 149)") or a marked oddity ("*** ..."). A float file without a
// 'fact' chunk is common and harmless, and not worth a word.
std::string OddityNoted(SNDFILE* file)
{
    std::vector<char> log(16384, '\0');
    sf_command(file, SFC_GET_LOG_INFO, log.data(), static_cast<int>(log.size()) - 1);
    std::istringstream lines(std::string(log.data()));
    std::string line;
    while (std::getline(lines, line)) {
        const bool odd = line.find("(should be") != std::string::npos || line.rfind("***", 0) == 0;
        if (odd && line.find("'fact' chunk") == std::string::npos) {
            const size_t start = line.find_first_not_of("* ");
            return "libsndfile noted: " + (start == std::string::npos ? line : line.substr(start));
        }
    }
    return {};
}

// Opens the bytes with `info` as libsndfile wants it (zeroed, or the raw format filled in) and
// reads the first channel. `rate` is the rate to report.
bool ReadFirstChannel(std::span<const uint8_t> bytes, SF_INFO info, double rate, SignalFile& result, std::string& error)
{
    MemoryFile memory{bytes, 0};
    SF_VIRTUAL_IO io{Length, Seek, Read, Write, Tell};
    const std::unique_ptr<SNDFILE, Closer> file(sf_open_virtual(&io, SFM_READ, &info, &memory));
    if (!file) {
        error = std::string("not a sound file that can be read: ") + sf_strerror(nullptr);
        return false;
    }
    if (info.channels < 1 || info.channels > SoundFileReader::kMaxChannels) {
        error = "the file has " + std::to_string(info.channels) + " channels (1 to " +
                std::to_string(SoundFileReader::kMaxChannels) + " can be read)";
        return false;
    }
    if (rate <= 0.0) {
        rate = info.samplerate;
    }
    if (!(rate > 0.0)) {
        error = "the sample rate is 0";
        return false;
    }
    // Integers are scaled to +-1; floats are taken as they are.
    sf_command(file.get(), SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    SignalFile signal;
    signal.sampleRate = rate;
    const auto channels = static_cast<size_t>(info.channels);
    std::vector<float> frames(4096 * channels);
    for (;;) {
        const sf_count_t got = sf_readf_float(file.get(), frames.data(), 4096);
        if (got <= 0) {
            break;
        }
        for (sf_count_t i = 0; i < got; ++i) {
            const float value = frames[static_cast<size_t>(i) * channels];
            signal.samples.push_back(std::isfinite(value) ? value : 0.0f);
        }
        if (signal.samples.size() > SoundFileReader::kMaxFileBytes / 2) {
            error = "the recording is too long";
            return false;
        }
    }
    if (signal.samples.empty()) {
        error = "the file holds no whole frame";
        return false;
    }
    signal.warning = OddityNoted(file.get());
    if (!signal.warning.empty()) {
        signal.warning += "; " + std::to_string(signal.samples.size()) + " whole frames read";
    }
    result = std::move(signal);
    return true;
}

template <typename Parser>
bool ReadWith(const std::string& path, SignalFile& result, std::string& error, const Parser& parse)
{
    std::string bytes;
    if (!ReadWholeFile(path, SoundFileReader::kMaxFileBytes, bytes, error)) {
        return false;
    }
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    if (!parse(std::span<const uint8_t>(data, bytes.size()), result, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

}  // namespace

bool SoundFileReader::Parse(std::span<const uint8_t> bytes, SignalFile& result, std::string& error)
{
    return ReadFirstChannel(bytes, SF_INFO{}, 0.0, result, error);
}

bool SoundFileReader::Parse(std::span<const uint8_t> bytes, double sampleRate, int channels, SignalFile& result,
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
    SF_INFO info{};
    info.format = SF_FORMAT_RAW | SF_FORMAT_FLOAT | SF_ENDIAN_LITTLE;
    info.channels = channels;
    // libsndfile keeps whole rates only; the rate that counts is the one stated.
    info.samplerate = std::max(1, static_cast<int>(std::lround(sampleRate)));
    if (bytes.size() < frameBytes) {
        error = "the recording holds no whole frame";
        return false;
    }
    if (!ReadFirstChannel(bytes, info, sampleRate, result, error)) {
        return false;
    }
    if (bytes.size() % frameBytes != 0) {
        result.warning = "the recording ends in a part of a frame, which was left out";
    }
    return true;
}

bool SoundFileReader::ReadFile(const std::string& path, SignalFile& result, std::string& error)
{
    return ReadWith(path, result, error,
                    [](std::span<const uint8_t> bytes, SignalFile& r, std::string& e) { return Parse(bytes, r, e); });
}

bool SoundFileReader::ReadFile(const std::string& path, double sampleRate, int channels, SignalFile& result,
                               std::string& error)
{
    return ReadWith(path, result, error, [&](std::span<const uint8_t> bytes, SignalFile& r, std::string& e) {
        return Parse(bytes, sampleRate, channels, r, e);
    });
}

}  // namespace korvanta::sim
