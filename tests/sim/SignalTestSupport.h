#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "sim/Fft.h"
#include "sim/GaussianNoise.h"

namespace korvanta::sim::test {

using Bytes = std::vector<uint8_t>;

inline void PutLe(Bytes& out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

inline void PutChunk(Bytes& out, const char* id, const Bytes& body, int64_t claimedSize = -1)
{
    out.insert(out.end(), id, id + 4);
    PutLe(out, claimedSize >= 0 ? static_cast<uint64_t>(claimedSize) : body.size(), 4);
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0) {
        out.push_back(0);  // chunks are padded to an even length
    }
}

inline Bytes FormatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, bool extensible = false)
{
    Bytes body;
    PutLe(body, extensible ? 0xFFFE : tag, 2);
    PutLe(body, channels, 2);
    PutLe(body, rate, 4);
    PutLe(body, static_cast<uint64_t>(rate) * channels * bits / 8, 4);
    PutLe(body, channels * bits / 8, 2);
    PutLe(body, bits, 2);
    if (extensible) {
        PutLe(body, 22, 2);    // extension size
        PutLe(body, bits, 2);  // valid bits
        PutLe(body, 0, 4);     // channel mask
        PutLe(body, tag, 2);   // the sub-format GUID begins with the real tag
        const uint8_t rest[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
        body.insert(body.end(), rest, rest + 14);
    }
    return body;
}

// Interleaved frames: each channel's sample i, coded as the format says.
inline Bytes Frames(const std::vector<std::vector<double>>& channels, uint16_t tag, uint16_t bits)
{
    Bytes body;
    for (size_t i = 0; i < channels[0].size(); ++i) {
        for (const auto& channel : channels) {
            const double v = channel[i];
            if (tag == 3) {
                const float f = static_cast<float>(v);
                uint32_t u = 0;
                std::memcpy(&u, &f, 4);
                PutLe(body, u, 4);
            } else if (bits == 16) {
                PutLe(body,
                      static_cast<uint16_t>(
                          static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 32767.0 / 32768.0) * 32768.0))),
                      2);
            } else {
                PutLe(body,
                      static_cast<uint32_t>(
                          static_cast<int32_t>(std::llround(std::clamp(v, -1.0, 0.999999) * 2147483648.0))),
                      4);
            }
        }
    }
    return body;
}

inline Bytes WavBytes(const std::vector<std::vector<double>>& channels, uint32_t rate, uint16_t tag, uint16_t bits,
                      bool extensible = false)
{
    Bytes riff;
    riff.insert(riff.end(), {'W', 'A', 'V', 'E'});
    PutChunk(riff, "fmt ", FormatBody(tag, static_cast<uint16_t>(channels.size()), rate, bits, extensible));
    PutChunk(riff, "data", Frames(channels, tag, bits));
    Bytes file = {'R', 'I', 'F', 'F'};
    PutLe(file, riff.size(), 4);
    file.insert(file.end(), riff.begin(), riff.end());
    return file;
}

inline void WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Band-limited noise as one period of a loop of 2^log2Length samples, and the same noise
// delayed by `delaySeconds` (circularly, so both loop seamlessly): band [lowHz, highHz], rms
// about `rms`.
inline std::pair<std::vector<double>, std::vector<double>> DelayedNoisePair(int log2Length, double rate, double lowHz,
                                                                            double highHz, double delaySeconds,
                                                                            double rms, uint64_t seed)
{
    const Fft fft(log2Length);
    const size_t n = fft.Size();
    GaussianNoise noise(seed);
    std::vector<std::complex<double>> a(n);
    for (auto& v : a) {
        v = noise.Next();
    }
    fft.Transform(a, -1);
    std::vector<std::complex<double>> b(n);
    for (size_t k = 0; k < n; ++k) {
        const double signedK = k <= n / 2 ? static_cast<double>(k) : static_cast<double>(k) - static_cast<double>(n);
        const double hz = std::abs(signedK) * rate / static_cast<double>(n);
        if (hz < lowHz || hz > highHz || k == n / 2) {
            a[k] = 0.0;
        }
        b[k] = a[k] * std::polar(1.0, -2.0 * std::numbers::pi * signedK * rate / static_cast<double>(n) * delaySeconds);
    }
    fft.Transform(a, +1);
    fft.Transform(b, +1);
    std::vector<double> x(n);
    std::vector<double> y(n);
    double power = 0.0;
    for (size_t i = 0; i < n; ++i) {
        power += a[i].real() * a[i].real();
    }
    const double scale = rms / std::sqrt(power / static_cast<double>(n));
    for (size_t i = 0; i < n; ++i) {
        x[i] = a[i].real() * scale;
        y[i] = b[i].real() * scale;
    }
    return {x, y};
}

inline std::filesystem::path FreshFolder(const std::string& stem)
{
    std::random_device random;
    for (;;) {
        auto path =
            std::filesystem::temp_directory_path() / (stem + std::to_string(random()) + std::to_string(random()));
        if (std::filesystem::create_directory(path)) {
            return path;
        }
    }
}

}  // namespace korvanta::sim::test
