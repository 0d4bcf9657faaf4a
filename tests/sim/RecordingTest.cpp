// Recorded sensor signals: WAV and raw float files (good and damaged), the band-limited
// resampler, and the replay that loops the stations' recordings together.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <filesystem>
#include <numbers>

#include "SignalTestSupport.h"
#include "sim/BlockTiming.h"
#include "sim/recording/RawFloatReader.h"
#include "sim/recording/RecordingLoader.h"
#include "sim/recording/RecordingReplay.h"
#include "sim/recording/Resampler.h"
#include "sim/recording/WavReader.h"

namespace korvanta::sim {
namespace {

using test::Bytes;

std::vector<double> Ramp(size_t n, double step)
{
    std::vector<double> x(n);
    for (size_t i = 0; i < n; ++i) {
        x[i] = -0.5 + step * static_cast<double>(i);
    }
    return x;
}

bool Parse(const Bytes& bytes, SignalFile& signal, std::string& error)
{
    return WavReader::Parse(std::span<const uint8_t>(bytes.data(), bytes.size()), signal, error);
}

std::string ParseError(const Bytes& bytes)
{
    SignalFile signal;
    std::string error;
    EXPECT_FALSE(Parse(bytes, signal, error));
    return error;
}

TEST(WavReader, ReadsPcmAndFloatOfEveryAcceptedWidthAndTakesTheFirstChannel)
{
    const std::vector<double> left = Ramp(50, 0.02);
    const std::vector<double> right(50, 0.25);
    struct Case {
        uint16_t tag;
        uint16_t bits;
        bool extensible;
        double tolerance;
    };
    for (const Case c : {Case{1, 16, false, 1.0 / 32768.0}, Case{1, 32, false, 1e-7}, Case{3, 32, false, 1e-7},
                         Case{3, 32, true, 1e-7}, Case{1, 16, true, 1.0 / 32768.0}}) {
        SignalFile signal;
        std::string error;
        ASSERT_TRUE(Parse(test::WavBytes({left, right}, 22050, c.tag, c.bits, c.extensible), signal, error)) << error;
        EXPECT_EQ(signal.sampleRate, 22050.0);
        ASSERT_EQ(signal.samples.size(), left.size());
        for (size_t i = 0; i < left.size(); ++i) {
            EXPECT_NEAR(signal.samples[i], left[i], c.tolerance) << "tag " << c.tag << " bits " << c.bits;
        }
        EXPECT_EQ(signal.warning, "");
    }
}

TEST(WavReader, FindsChunksPastOddSizedOnesAndNamesAMisplacedFormat)
{
    const std::vector<double> x = Ramp(9, 0.1);
    const auto file = [&](bool formatFirst) {
        Bytes riff = {'W', 'A', 'V', 'E'};
        test::PutChunk(riff, "LIST", Bytes{1, 2, 3});  // odd: one pad byte follows
        if (formatFirst) {
            test::PutChunk(riff, "fmt ", test::FormatBody(1, 1, 8000, 16));
        }
        test::PutChunk(riff, "data", test::Frames({x}, 1, 16));
        if (!formatFirst) {
            test::PutChunk(riff, "fmt ", test::FormatBody(1, 1, 8000, 16));
        }
        Bytes bytes = {'R', 'I', 'F', 'F'};
        test::PutLe(bytes, riff.size(), 4);
        bytes.insert(bytes.end(), riff.begin(), riff.end());
        return bytes;
    };
    SignalFile signal;
    std::string error;
    ASSERT_TRUE(Parse(file(true), signal, error)) << error;
    ASSERT_EQ(signal.samples.size(), 9u);
    EXPECT_NEAR(signal.samples[8], 0.3, 1e-4);
    // The data before its format cannot be read; the refusal says so.
    EXPECT_NE(ParseError(file(false)), "");
}

TEST(WavReader, ACutShortDataChunkGivesItsWholeFramesAndAWarning)
{
    Bytes file = test::WavBytes({Ramp(100, 0.01)}, 8000, 1, 16);
    file.resize(file.size() - 51);  // 25 frames and a half gone
    SignalFile signal;
    std::string error;
    ASSERT_TRUE(Parse(file, signal, error)) << error;
    EXPECT_EQ(signal.samples.size(), 74u);
    EXPECT_NE(signal.warning, "");

    // A streamed file's unknown size (all ones) reads the same way.
    Bytes streamed = test::WavBytes({Ramp(10, 0.01)}, 8000, 3, 32);
    streamed[40] = streamed[41] = streamed[42] = streamed[43] = 0xFF;
    ASSERT_TRUE(Parse(streamed, signal, error)) << error;
    EXPECT_EQ(signal.samples.size(), 10u);
}

TEST(WavReader, RefusesWhatItCannotReadWithAReason)
{
    const std::vector<double> x = Ramp(20, 0.01);
    EXPECT_NE(ParseError({}).find("not a sound file that can be read"), std::string::npos);
    Bytes notWave = test::WavBytes({x}, 8000, 1, 16);
    notWave[8] = 'X';
    EXPECT_NE(ParseError(notWave), "");
    EXPECT_NE(ParseError(test::WavBytes({x}, 8000, 2, 16)).find("ADPCM"), std::string::npos);
    EXPECT_NE(ParseError(test::WavBytes({x}, 0, 1, 16)), "");

    auto withFormat = [&](Bytes format, bool withData = true) {
        Bytes riff = {'W', 'A', 'V', 'E'};
        test::PutChunk(riff, "fmt ", format);
        if (withData) {
            test::PutChunk(riff, "data", test::Frames({x}, 1, 16));
        }
        Bytes file = {'R', 'I', 'F', 'F'};
        test::PutLe(file, riff.size(), 4);
        file.insert(file.end(), riff.begin(), riff.end());
        return file;
    };
    Bytes shortFormat = test::FormatBody(1, 1, 8000, 16);
    shortFormat.resize(14);
    EXPECT_NE(ParseError(withFormat(shortFormat)), "");
    Bytes noChannels = test::FormatBody(1, 1, 8000, 16);
    noChannels[2] = 0;
    EXPECT_NE(ParseError(withFormat(noChannels)), "");
    EXPECT_NE(ParseError(withFormat(test::FormatBody(1, 1, 8000, 16), false)).find("data"), std::string::npos);

    Bytes noFormat = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
    test::PutChunk(noFormat, "data", Bytes(8, 0));
    EXPECT_NE(ParseError(noFormat), "");
}

TEST(WavReader, NoPrefixOrDamageOfAFileReadsPastItsBytes)
{
    const Bytes good = test::WavBytes({Ramp(40, 0.02), Ramp(40, 0.01)}, 11025, 3, 32, true);
    for (size_t length = 0; length < good.size(); ++length) {
        const Bytes prefix(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
        SignalFile signal;
        std::string error;
        if (Parse(prefix, signal, error)) {
            EXPECT_LE(signal.samples.size(), 40u);
            EXPECT_FALSE(signal.samples.empty());
        } else {
            EXPECT_NE(error, "");
        }
    }
    std::mt19937 random(5);
    for (int trial = 0; trial < 2000; ++trial) {
        Bytes damaged = good;
        for (int flips = 0; flips < 4; ++flips) {
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        }
        SignalFile signal;
        std::string error;
        if (Parse(damaged, signal, error)) {
            for (const float v : signal.samples) {
                ASSERT_TRUE(std::isfinite(v));  // a damaged float never poisons the signal
            }
        }
    }
}

TEST(RawFloatReader, ReadsTheFirstChannelAtTheStatedRate)
{
    const Bytes frames = test::Frames({Ramp(30, 0.03), Ramp(30, 0.0)}, 3, 32);
    SignalFile signal;
    std::string error;
    ASSERT_TRUE(RawFloatReader::Parse(frames, 6000.0, 2, signal, error)) << error;
    EXPECT_EQ(signal.sampleRate, 6000.0);
    ASSERT_EQ(signal.samples.size(), 30u);
    EXPECT_FLOAT_EQ(signal.samples[29], static_cast<float>(-0.5 + 29 * 0.03));

    Bytes ragged = frames;
    ragged.resize(ragged.size() - 3);
    ASSERT_TRUE(RawFloatReader::Parse(ragged, 6000.0, 2, signal, error));
    EXPECT_EQ(signal.samples.size(), 29u);
    EXPECT_NE(signal.warning, "");

    EXPECT_FALSE(RawFloatReader::Parse(frames, 0.0, 1, signal, error));
    EXPECT_FALSE(RawFloatReader::Parse(frames, NAN, 1, signal, error));
    EXPECT_FALSE(RawFloatReader::Parse(frames, 8000.0, 0, signal, error));
    EXPECT_FALSE(RawFloatReader::Parse(Bytes{1, 2, 3}, 8000.0, 1, signal, error));
}

TEST(RecordingFiles, MissingFilesAndFoldersAreRefusedByName)
{
    SignalFile signal;
    std::string error;
    EXPECT_FALSE(WavReader::ReadFile("/nonexistent/korvanta/red.wav", signal, error));
    EXPECT_NE(error.find("red.wav"), std::string::npos);
    EXPECT_FALSE(WavReader::ReadFile(std::filesystem::temp_directory_path().string(), signal, error));
    EXPECT_FALSE(RawFloatReader::ReadFile("/nonexistent/blue.f32", 8000.0, 1, signal, error));

    // A recording of over an hour is refused before it is resampled.
    const std::filesystem::path folder = test::FreshFolder("korvanta-recording-");
    test::WriteFile(folder / "long.f32", test::Frames({std::vector<double>(4000, 0.1)}, 3, 32));
    EXPECT_FALSE(LoadReplayTrack({(folder / "long.f32").string(), RecordingFormat::RawFloat32, 1.0, 1}, error));
    EXPECT_NE(error.find("longer than an hour"), std::string::npos);
    std::filesystem::remove_all(folder);
}

// Amplitude of the tone at `hz` in x sampled at `rate`.
double ToneAmplitude(const std::vector<double>& x, double rate, double hz)
{
    std::complex<double> sum = 0.0;
    for (size_t n = 0; n < x.size(); ++n) {
        sum += x[n] * std::polar(1.0, -2.0 * std::numbers::pi * hz * static_cast<double>(n) / rate);
    }
    return 2.0 * std::abs(sum) / static_cast<double>(x.size());
}

std::vector<float> Tone(double rate, double hz, double seconds, double amplitude)
{
    std::vector<float> x(static_cast<size_t>(std::lround(rate * seconds)));
    for (size_t n = 0; n < x.size(); ++n) {
        x[n] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * hz * static_cast<double>(n) / rate));
    }
    return x;
}

TEST(Resampler, KeepsTonesInTheBandAndRemovesThoseThatWouldAlias)
{
    struct Case {
        double rate;
        double hz;
        double expected;  // share of the amplitude left
    };
    // Whole cycles in one second, so the looped input has no seam.
    for (const Case c :
         {Case{44100.0, 440.0, 1.0}, Case{44100.0, 1200.0, 1.0}, Case{8000.0, 97.0, 1.0}, Case{2000.0, 300.0, 1.0},
          Case{44100.0, 3000.0, 0.0}, Case{44100.0, 7000.0, 0.0}, Case{8000.0, 2700.0, 0.0}}) {
        const Resampler resampler(c.rate, kSampleRate);
        const std::vector<double> out = resampler.Run(Tone(c.rate, c.hz, 1.0, 0.5));
        EXPECT_EQ(out.size(), static_cast<size_t>(std::lround(kSampleRate)));
        const double left = ToneAmplitude(out, kSampleRate, c.hz) / 0.5;
        if (c.expected > 0.0) {
            EXPECT_NEAR(left, 1.0, 1e-3) << c.rate << " Hz rate, " << c.hz << " Hz tone";
        } else {
            // Gone, and no alias of it anywhere either.
            double rms = 0.0;
            for (const double v : out)
                rms += v * v;
            EXPECT_LT(std::sqrt(rms / static_cast<double>(out.size())), 1e-4) << c.rate << " Hz rate, " << c.hz;
        }
    }
    // libsoxr's very-high-quality passband ends at 91.1 % of the lower Nyquist frequency.
    EXPECT_NEAR(Resampler(44100.0, kSampleRate).CutoffHz(), 0.9113 * kSampleRate / 2.0, 0.5);
    EXPECT_NEAR(Resampler(2000.0, kSampleRate).CutoffHz(), 911.3, 0.2);
}

TEST(Resampler, KeepsTheInputsTimeGridAtEveryRate)
{
    // A tone's phase after resampling against its phase at the same instants: any delay of the
    // filter, or a loop start off the grid, would show as a phase error. Recordings of different
    // rates must stay in step to a small part of a lag.
    for (const double rate : {44100.0, 48000.0, 8000.0, 3000.0, 22050.5}) {
        const double hz = 200.0;
        const std::vector<double> out = Resampler(rate, kSampleRate).Run(Tone(rate, hz, 2.0, 0.5));
        std::complex<double> sum = 0.0;
        for (size_t n = 0; n < out.size(); ++n) {
            sum += out[n] * std::polar(1.0, -2.0 * std::numbers::pi * hz * static_cast<double>(n) / kSampleRate);
        }
        // sin is cos a quarter period late: the projection's phase is -pi/2.
        const double seconds = -(std::arg(sum) + std::numbers::pi / 2.0) / (2.0 * std::numbers::pi * hz);
        EXPECT_NEAR(seconds * kSampleRate, 0.0, 0.01) << rate << " Hz";
    }
}

TEST(Resampler, EqualRatesCopyAndEmptyInputGivesNothing)
{
    const std::vector<float> x = {0.5f, -0.25f, 0.125f};
    EXPECT_EQ(Resampler(kSampleRate, kSampleRate).Run(x), (std::vector<double>{0.5, -0.25, 0.125}));
    EXPECT_TRUE(Resampler(8000.0, kSampleRate).Run({}).empty());
}

ReplayTrack Track(std::vector<double> samples)
{
    return std::make_shared<const std::vector<double>>(std::move(samples));
}

TEST(RecordingReplay, StationsLoopTogetherAtTheShortestRecording)
{
    std::vector<double> a(5000);
    std::vector<double> b(7000);
    for (size_t i = 0; i < a.size(); ++i)
        a[i] = static_cast<double>(i);
    for (size_t i = 0; i < b.size(); ++i)
        b[i] = -static_cast<double>(i);
    auto replay = RecordingReplay::Create({Track(a), Track(b)}, 1);
    ASSERT_TRUE(replay);
    EXPECT_EQ(replay->Period(), 5000);
    const SampledBlock first = replay->NextBlock();
    const SampledBlock second = replay->NextBlock();
    EXPECT_EQ(first.samples[0][4095], 4095.0);
    EXPECT_EQ(second.samples[0][0], 4096.0);
    EXPECT_EQ(second.samples[0][904], 0.0);  // tick 5000: round again
    EXPECT_EQ(second.samples[1][904], 0.0);  // blue too, though its recording is longer
    EXPECT_EQ(second.samples[1][903], -4999.0);

    // A restart lets time run on over the gap.
    replay->Restart(1.0);
    const SampledBlock after = replay->NextBlock();
    EXPECT_EQ(after.blockNumber, 0);
    const int64_t tick = 2 * kSamplesPerBlock + std::llround(kSampleRate);
    EXPECT_EQ(after.samples[0][0], static_cast<double>(tick % 5000));
}

TEST(RecordingReplay, AStationWithoutARecordingHearsOnlyAFaintNoise)
{
    auto replay = RecordingReplay::Create({nullptr, Track(std::vector<double>(6000, 100.0))}, 3);
    ASSERT_TRUE(replay);
    const SampledBlock block = replay->NextBlock();
    double power = 0.0;
    for (const double v : block.samples[0])
        power += v * v;
    EXPECT_NEAR(std::sqrt(power / kSamplesPerBlock), 100.0 * RecordingReplay::kQuietShare, 0.01);

    std::string error;
    EXPECT_FALSE(RecordingReplay::Create({nullptr, nullptr}, 1, &error));
    EXPECT_NE(error, "");
    EXPECT_FALSE(RecordingReplay::Create({Track(std::vector<double>(3, 1.0))}, 1, &error));
}

}  // namespace
}  // namespace korvanta::sim
