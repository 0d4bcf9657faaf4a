#include "sim/recording/WavReader.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <optional>

#include "sim/recording/WholeFile.h"

namespace korvanta::sim {

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

uint16_t Le16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
uint32_t Le32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

struct Chunk {
    size_t offset = 0;  // of the chunk's body
    size_t size = 0;    // as far as the file holds it
    bool cut = false;   // the header claimed more than that
};

struct Format {
    uint16_t tag = 0;
    uint16_t channels = 0;
    uint32_t rate = 0;
    uint16_t blockAlign = 0;
    uint16_t bits = 0;
};

std::optional<Format> ParseFormat(std::span<const uint8_t> body, std::string& error)
{
    if (body.size() < 16) {
        error = "the format chunk is too short (" + std::to_string(body.size()) + " bytes)";
        return std::nullopt;
    }
    Format format;
    format.tag = Le16(&body[0]);
    format.channels = Le16(&body[2]);
    format.rate = Le32(&body[4]);
    format.blockAlign = Le16(&body[12]);
    format.bits = Le16(&body[14]);
    if (format.tag == kFormatExtensible) {
        // The sub-format GUID's first two bytes carry the real tag.
        if (body.size() < 26) {
            error = "the extensible format chunk is too short";
            return std::nullopt;
        }
        format.tag = Le16(&body[24]);
    }
    if (format.tag != kFormatPcm && format.tag != kFormatFloat) {
        error = "format tag " + std::to_string(format.tag) + " is not supported (PCM or IEEE float only)";
        return std::nullopt;
    }
    if ((format.tag == kFormatPcm && format.bits != 16 && format.bits != 32) ||
        (format.tag == kFormatFloat && format.bits != 32)) {
        error = std::to_string(format.bits) + "-bit " + (format.tag == kFormatPcm ? "PCM" : "float") +
                " is not supported (16- or 32-bit PCM, 32-bit float)";
        return std::nullopt;
    }
    if (format.channels == 0) {
        error = "the file has no channels";
        return std::nullopt;
    }
    if (format.rate == 0) {
        error = "the sample rate is 0";
        return std::nullopt;
    }
    if (format.blockAlign != format.channels * (format.bits / 8)) {
        error = "the frame size " + std::to_string(format.blockAlign) + " does not fit " +
                std::to_string(format.channels) + " channels of " + std::to_string(format.bits) + " bits";
        return std::nullopt;
    }
    return format;
}

float Sample(const uint8_t* p, const Format& format)
{
    if (format.tag == kFormatFloat) {
        const float value = std::bit_cast<float>(Le32(p));
        // A damaged sample must not poison the whole spectrum.
        return std::isfinite(value) ? value : 0.0f;
    }
    if (format.bits == 16) {
        return static_cast<float>(static_cast<int16_t>(Le16(p))) / 32768.0f;
    }
    return static_cast<float>(static_cast<double>(static_cast<int32_t>(Le32(p))) / 2147483648.0);
}

}  // namespace

bool WavReader::Parse(std::span<const uint8_t> bytes, SignalFile& result, std::string& error)
{
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        error = "not a RIFF/WAVE file";
        return false;
    }
    std::optional<Chunk> fmt;
    std::optional<Chunk> data;
    size_t position = 12;
    while (position + 8 <= bytes.size()) {
        const uint8_t* header = bytes.data() + position;
        const uint32_t claimed = Le32(header + 4);
        const size_t available = bytes.size() - (position + 8);
        Chunk chunk{position + 8, std::min<size_t>(claimed, available), claimed > available};
        if (std::memcmp(header, "fmt ", 4) == 0 && !fmt) {
            fmt = chunk;
        } else if (std::memcmp(header, "data", 4) == 0 && !data) {
            data = chunk;
        }
        if (chunk.cut) {
            break;
        }
        // Chunks are padded to an even length.
        position = chunk.offset + chunk.size + (chunk.size & 1u);
    }
    if (!fmt) {
        error = "the file has no format chunk";
        return false;
    }
    if (fmt->cut) {
        error = "the format chunk is cut short";
        return false;
    }
    const std::optional<Format> format = ParseFormat(bytes.subspan(fmt->offset, fmt->size), error);
    if (!format) {
        return false;
    }
    if (!data) {
        error = "the file has no data chunk";
        return false;
    }
    const size_t frames = data->size / format->blockAlign;
    if (frames == 0) {
        error = "the data chunk holds no whole frame";
        return false;
    }
    SignalFile signal;
    signal.sampleRate = format->rate;
    signal.samples.resize(frames);
    const uint8_t* base = bytes.data() + data->offset;
    for (size_t i = 0; i < frames; ++i) {
        signal.samples[i] = Sample(base + i * format->blockAlign, *format);
    }
    if (data->cut) {
        signal.warning = "the data chunk is cut short: " + std::to_string(frames) + " whole frames read";
    } else if (data->size % format->blockAlign != 0) {
        signal.warning = "the data chunk ends in a part of a frame, which was left out";
    }
    result = std::move(signal);
    return true;
}

bool WavReader::ReadFile(const std::string& path, SignalFile& result, std::string& error)
{
    std::string bytes;
    if (!ReadWholeFile(path, kMaxFileBytes, bytes, error)) {
        return false;
    }
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    if (!Parse(std::span<const uint8_t>(data, bytes.size()), result, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

}  // namespace korvanta::sim
