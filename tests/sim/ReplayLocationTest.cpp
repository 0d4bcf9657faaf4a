// Recordings with a known delay between the stations, replayed by the kit's block source at the
// outstations' rate, coded as outstations code them and correlated as the document does: the
// engine finds the delay within one lag, whatever the recordings' rate and format.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>

#include <sndfile.h>

#include "SignalTestSupport.h"
#include "core/correlation/BlockReplay.h"
#include "core/correlation/CCorrelator.h"
#include "core/correlation/CorrelationTrace.h"
#include "core/record/MeasurementRecord.h"
#include "sim/SpectrumEncoder.h"
#include "sim/TwoStationRecording.h"
#include "sim/scenario/ScenarioBlockSource.h"
#include "sim/scenario/ScenarioFile.h"

namespace korvanta::sim {
namespace {

struct ReplayCase {
    const char* name;
    uint32_t rate;
    int log2Length;       // the recording's length; shorter than the measurement, so it loops
    const char* redFile;  // .wav 16-bit PCM, .w32 32-bit PCM WAV, .fwav float WAV, .f32 raw, .flac, .ogg
    const char* blueFile;
    double delaySeconds;  // blue hears the leak this much later than red
};

// FLAC (16-bit) and Ogg Vorbis through libsndfile, as a recorder would write them.
void WriteCompressed(const std::filesystem::path& path, const std::vector<double>& samples, uint32_t rate)
{
    SF_INFO info{};
    info.samplerate = static_cast<int>(rate);
    info.channels = 1;
    info.format = path.extension() == ".flac" ? SF_FORMAT_FLAC | SF_FORMAT_PCM_16 : SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    EXPECT_EQ(sf_write_double(file, samples.data(), static_cast<sf_count_t>(samples.size())),
              static_cast<sf_count_t>(samples.size()));
    sf_close(file);
}

void WriteRecording(const std::filesystem::path& path, const std::vector<double>& samples, uint32_t rate)
{
    const std::string ext = path.extension().string();
    if (ext == ".flac" || ext == ".ogg") {
        WriteCompressed(path, samples, rate);
    } else if (ext == ".f32") {
        test::WriteFile(path, test::Frames({samples}, 3, 32));
    } else {
        const uint16_t tag = ext == ".fwav" ? 3 : 1;
        const uint16_t bits = ext == ".wav" ? 16 : 32;
        test::WriteFile(path, test::WavBytes({samples}, rate, tag, bits));
    }
}

std::string RecordingEntry(const char* file, uint32_t rate)
{
    const std::string ext = std::filesystem::path(file).extension().string();
    if (ext == ".f32") {
        return std::string(R"({"file": ")") + file + R"(", "format": "raw-float32", "sampleRateHz": )" +
               std::to_string(rate) + "}";
    }
    if (ext == ".flac" || ext == ".ogg") {
        return std::string(R"({"file": ")") + file + R"("})";  // the name says what it is
    }
    return std::string(R"({"file": ")") + file + R"(", "format": "wav"})";
}

class ReplayLocationTest : public testing::TestWithParam<ReplayCase> {};

TEST_P(ReplayLocationTest, TheEngineFindsTheRecordedDelayWithinOneLag)
{
    const ReplayCase c = GetParam();
    const std::filesystem::path folder = test::FreshFolder("korvanta-replay-");
    const auto [red, blue] = test::DelayedNoisePair(c.log2Length, c.rate, 100.0, 800.0, c.delaySeconds, 0.2, 21);
    WriteRecording(folder / c.redFile, red, c.rate);
    WriteRecording(folder / c.blueFile, blue, c.rate);
    {
        std::ofstream out(folder / "replay.json");
        out << R"({"recordings": {"red": )" << RecordingEntry(c.redFile, c.rate) << R"(, "blue": )"
            << RecordingEntry(c.blueFile, c.rate) << "}}";
    }
    Scenario scenario;
    std::string error;
    ASSERT_TRUE(LoadScenarioFile((folder / "replay.json").string(), scenario, error)) << error;
    std::filesystem::remove_all(folder);
    std::unique_ptr<BlockSource> source = MakeScenarioSource(scenario, {1, 2}, &error);
    ASSERT_TRUE(source) << error;

    // 24 pairs in chains of six with a gap between chains, as the document has them sampled.
    const SpectrumEncoder encoder;
    std::vector<DataBlockRecord> blocks;
    for (int pair = 0; pair < 24; ++pair) {
        if (pair > 0 && pair % kPairsPerChain == 0) {
            source->Restart(0.5);
        }
        const SampledBlock block = source->NextBlock();
        for (size_t s = 0; s < 2; ++s) {
            DataBlockRecord record;
            ASSERT_TRUE(encoder.BuildRecord(std::span<const double>(block.samples[s]), static_cast<uint8_t>(s + 1),
                                            static_cast<uint16_t>(block.blockNumber), kDefaultBattery, record));
            blocks.push_back(record);
        }
    }
    auto record = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
    record->range = 0;
    std::array<int32_t, 620> trace{};
    std::array<int32_t, 504> a{};
    std::array<int32_t, 504> b{};
    auto engine = std::make_unique<CCorrelator>();
    engine->Init(trace, a, b, 620, 180, 504, 155);
    engine->SetRecord(record.get());
    ASSERT_TRUE(ReplayBlocks(*engine, blocks));
    // The engine reports red's arrival minus blue's.
    EXPECT_NEAR(engine->GetDelay(), -c.delaySeconds, kLagSeconds);
    EXPECT_GT(engine->GetQuality(), 5);
}

INSTANTIATE_TEST_SUITE_P(RatesAndFormats, ReplayLocationTest,
                         testing::Values(ReplayCase{"CdRate16BitAndFloat", 44100, 19, "red.wav", "blue.fwav", 0.0731},
                                         ReplayCase{"Rate8000RawAnd32Bit", 8000, 16, "red.f32", "blue.w32", -0.1523},
                                         ReplayCase{"Rate3000Upsampled", 3000, 15, "red.wav", "blue.f32", 0.21117},
                                         ReplayCase{"FlacAt48000", 48000, 19, "red.flac", "blue.flac", 0.0417},
                                         ReplayCase{"OggAt32000AndFlac", 32000, 18, "red.ogg", "blue.flac", -0.0889},
                                         ReplayCase{"OggAt22050", 22050, 18, "red.ogg", "blue.ogg", 0.1302}),
                         [](const testing::TestParamInfo<ReplayCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvanta::sim
