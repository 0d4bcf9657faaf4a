// The coherence the engine keeps beside its sums: against the closed form for noise with a known
// shared part, through the engine on simulated blocks, and through a kvd file and back.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "core/correlation/BlockReplay.h"
#include "core/correlation/CCorrelator.h"
#include "core/correlation/CoherenceAccumulator.h"
#include "core/document/KvdFile.h"
#include "core/record/CoherenceRecord.h"
#include "sim/TwoStationRecording.h"

namespace korvanta {
namespace {

// Bins 1..1023 in three bands of (shared, own noise at station 1, own noise at station 0) power.
struct Band {
    int from, to;
    double shared, noise1, noise0;
    double Expected() const { return shared * shared / ((shared + noise1) * (shared + noise0)); }
};

TEST(CoherenceAccumulatorTest, MatchesTheClosedFormForNoiseWithASharedPart)
{
    const std::array<Band, 3> bands = {Band{1, 341, 1.0, 1.0, 1.0}, Band{341, 682, 4.0, 1.0, 0.25},
                                       Band{682, 1024, 0.0, 1.0, 2.0}};
    constexpr int kBlocks = 400;
    std::mt19937_64 random(7);
    std::normal_distribution<float> gauss;
    auto draw = [&](double power) {
        const float scale = static_cast<float>(std::sqrt(power / 2.0));
        return ComplexF{scale * gauss(random), scale * gauss(random)};
    };
    CoherenceAccumulator sums;
    std::array<ComplexF, kSpectrumBins> one{}, zero{};
    for (int block = 0; block < kBlocks; ++block) {
        for (const Band& band : bands) {
            for (int k = band.from; k < band.to; ++k) {
                const ComplexF shared = draw(band.shared);
                const ComplexF own1 = draw(band.noise1), own0 = draw(band.noise0);
                one[k] = {shared.re + own1.re, shared.im + own1.im};
                zero[k] = {shared.re + own0.re, shared.im + own0.im};
            }
        }
        sums.Add(one.data(), zero.data());
    }
    const CoherenceSpectrum coherence = sums.Coherence();
    ASSERT_EQ(coherence.pairs, static_cast<uint32_t>(kBlocks));
    EXPECT_EQ(coherence.values[0], 0.0f) << "DC is silent at both stations";
    for (const Band& band : bands) {
        double raw = 0.0, unbiased = 0.0;
        for (int k = band.from; k < band.to; ++k) {
            raw += coherence.values[static_cast<size_t>(k)];
            unbiased += coherence.Unbiased(k);
        }
        const int count = band.to - band.from;
        const double expected = band.Expected();
        // The raw estimate carries the 1/N floor; the unbiased one does not.
        EXPECT_NEAR(raw / count, expected + (1.0 - expected) / kBlocks, 0.01) << "band from bin " << band.from;
        EXPECT_NEAR(unbiased / count, expected, 0.01) << "band from bin " << band.from;
    }
}

class EngineCoherenceTest : public testing::Test {
protected:
    void SetUp() override
    {
        record_ = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
        record_->pairCode = 6;
        engine_ = std::make_unique<CCorrelator>();
        engine_->Init(trace_, spectrumA_, spectrumB_, 620, 180, 504, 155);
        engine_->SetRecord(record_.get());
    }

    // A leak 100..800 Hz at 10 dB over each station's own white noise, no delay.
    void Measure(int pairs)
    {
        sim::TwoStationScenario scenario;
        scenario.blockPairs = pairs;
        scenario.snrDb = 10.0;
        ASSERT_TRUE(ReplayBlocks(*engine_, sim::SimulateTwoStationMeasurement(scenario)));
    }

    double MeanOver(const CoherenceSpectrum& coherence, double fromHz, double toHz) const
    {
        double sum = 0.0;
        int count = 0;
        for (int k = 1; k < kSpectrumBins; ++k) {
            if (BinFrequency(k) >= fromHz && BinFrequency(k) < toHz) {
                sum += coherence.values[static_cast<size_t>(k)];
                ++count;
            }
        }
        return sum / count;
    }

    std::array<int32_t, 620> trace_{};
    std::array<int32_t, 504> spectrumA_{}, spectrumB_{};
    std::unique_ptr<MeasurementRecord> record_;
    std::unique_ptr<CCorrelator> engine_;
};

TEST_F(EngineCoherenceTest, IsHighInTheLeaksBandAndAtTheNoiseFloorOutsideIt)
{
    Measure(24);
    const CoherenceSpectrum& coherence = engine_->Coherence();
    EXPECT_EQ(coherence.pairs, 24u);
    // In band each station's own noise lies far below the leak (10 dB over the whole band, which
    // is 3.5 times wider than the leak's): γ² = (r / (r + 1))² with r ≈ 35 is 0.95.
    EXPECT_GT(MeanOver(coherence, 200.0, 700.0), 0.9);
    EXPECT_NEAR(MeanOver(coherence, 1000.0, 1200.0), 1.0 / 24.0, 0.03);
}

TEST_F(EngineCoherenceTest, TravelsThroughAKvdFileInReservedBytesOnly)
{
    Measure(12);
    engine_->StoreToRecord();
    const CoherenceSpectrum measured = engine_->Coherence();

    // Every byte outside the reserved area is what it was before the coherence was stored.
    auto without = std::make_unique<MeasurementRecord>(*record_);
    StoreCoherence(*without, CoherenceSpectrum{});
    const std::vector<uint8_t> with = FormatKvd(*record_), plain = FormatKvd(*without);
    ASSERT_EQ(with.size(), plain.size());
    const size_t areaStart = 2 + offsetof(MeasurementRecord, accumulators) + sizeof(AccumulatorBlock::bins);
    for (size_t i = 0; i < with.size(); ++i) {
        if (i < areaStart || i >= areaStart + kCoherenceRecordBytes) {
            ASSERT_EQ(with[i], plain[i]) << "byte " << i;
        }
    }

    auto read = std::make_unique<MeasurementRecord>(MakeEmptyRecord());
    ASSERT_EQ(ParseKvd(with, *read), KvdStatus::Ok);
    engine_->SetRecord(read.get());
    engine_->RestoreFromRecord();
    ASSERT_EQ(engine_->Coherence().pairs, 12u);
    for (int k = 0; k < kSpectrumBins; ++k) {
        ASSERT_NEAR(engine_->Coherence().values[static_cast<size_t>(k)], measured.values[static_cast<size_t>(k)],
                    1.0 / 65535.0)
            << "bin " << k;
    }

    // A file from before: reserved bytes zero, or holding anything but an intact tagged block.
    ASSERT_EQ(ParseKvd(plain, *read), KvdStatus::Ok);
    engine_->RestoreFromRecord();
    EXPECT_FALSE(engine_->Coherence().IsKnown());
    std::vector<uint8_t> damaged = with;
    damaged[areaStart + 100] ^= 0x01;
    ASSERT_EQ(ParseKvd(damaged, *read), KvdStatus::Ok);
    EXPECT_FALSE(LoadCoherence(*read).has_value()) << "a changed value fails the checksum";
    damaged = with;
    damaged[areaStart + 8] = 2;  // a format this program does not know
    ASSERT_EQ(ParseKvd(damaged, *read), KvdStatus::Ok);
    EXPECT_FALSE(LoadCoherence(*read).has_value());
}

}  // namespace
}  // namespace korvanta
