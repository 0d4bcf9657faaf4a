#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <vector>

#include "sim/BlockTiming.h"
#include "sim/Fft.h"
#include "sim/GaussianNoise.h"
#include "sim/LeakNoiseGenerator.h"

namespace korvanta::sim {
namespace {

constexpr double kNoNoise = std::numeric_limits<double>::infinity();
using Samples = std::vector<std::vector<double>>;  // per station, blocks end to end

LeakNoiseConfig TwoStations(double firstTicks, double secondTicks, double snrDb, double lowHz = 100.0,
                            double highHz = 800.0)
{
    return {.lowHz = lowHz,
            .highHz = highHz,
            .sourceRms = 1000.0,
            .seed = 42,
            .stations = {{firstTicks / kSampleRate, snrDb}, {secondTicks / kSampleRate, snrDb}}};
}

Samples Record(const LeakNoiseConfig& config, int blocks)
{
    auto generator = LeakNoiseGenerator::Create(config);
    Samples stations(config.stations.size());
    for (int b = 0; generator && b < blocks; ++b) {
        const SampledBlock block = generator->NextBlock();
        for (size_t s = 0; s < stations.size(); ++s) {
            stations[s].insert(stations[s].end(), block.samples[s].begin(), block.samples[s].end());
        }
    }
    return stations;
}

// Sum over blocks of conj(A(k)) * B(k) (+ sign spectra): B delayed by d gives the phase 2*pi*k*d/N.
std::vector<std::complex<double>> CrossSpectrum(const Samples& record)
{
    const Fft fft(12);
    std::vector<std::complex<double>> sum(4096), a(4096), b(4096);
    for (size_t start = 0; start + 4096 <= record[0].size(); start += 4096) {
        fft.TransformReal(std::span(record[0]).subspan(start, 4096), a);
        fft.TransformReal(std::span(record[1]).subspan(start, 4096), b);
        for (size_t k = 0; k < 4096; ++k) {
            sum[k] += std::conj(a[k]) * b[k];
        }
    }
    return sum;
}

double Variance(const std::vector<double>& x)
{
    double sum = 0.0, squares = 0.0;
    for (const double v : x) {
        sum += v;
        squares += v * v;
    }
    const double n = static_cast<double>(x.size());
    return squares / n - (sum / n) * (sum / n);
}

TEST(GaussianNoiseTest, IsStandardNormalAndRepeatable)
{
    GaussianNoise noise(9), again(9), otherStream(9, 1);
    std::vector<double> x(400000);
    double fourth = 0.0;
    for (double& v : x) {
        v = noise.Next();
        fourth += v * v * v * v / static_cast<double>(x.size());
        ASSERT_EQ(again.Next(), v);
    }
    EXPECT_NEAR(Variance(x), 1.0, 0.01);
    EXPECT_NEAR(fourth, 3.0, 0.06);
    EXPECT_NE(otherStream.Next(), x[0]);
}

// The leak stream runs on across block borders, so a whole-tick delay is an exact shift of the
// other station's samples, and so is a pair of delays with the same fractional part.
TEST(LeakNoiseGeneratorTest, BlocksJoinAndDelaysShiftTheStream)
{
    const struct {
        double first, second;
        int shift;
    } cases[] = {{0.0, 3.0, 3}, {0.25, 1.25, 1}, {0.0, -5.0, -5}, {-700.6, 0.4, 701}};
    for (const auto& c : cases) {
        const Samples record = Record(TwoStations(c.first, c.second, kNoNoise), 3);
        ASSERT_EQ(record[1].size(), 3u * 4096u);
        for (int n = 1000; n < 3 * 4096 - 1000; ++n) {
            ASSERT_NEAR(record[1][static_cast<size_t>(n)], record[0][static_cast<size_t>(n - c.shift)], 1e-6)
                << "shift " << c.shift << " sample " << n;
        }
    }
}

TEST(LeakNoiseGeneratorTest, CrossCorrelationPeaksAtTheDelayToAFractionOfATick)
{
    for (const double delay : {0.37, -0.81, 2.5, 299.3, -120.0, 1500.7}) {
        auto cross = CrossSpectrum(Record(TwoStations(0.0, delay, 0.0), 8));
        if (std::abs(delay) < 3.0) {
            // Weighted least-squares slope of the phase over the band.
            double numerator = 0.0, denominator = 0.0;
            for (size_t k = 100; k <= 640; ++k) {
                const double omega = 2.0 * std::numbers::pi * static_cast<double>(k) / 4096.0;
                numerator += std::abs(cross[k]) * omega * std::arg(cross[k]);
                denominator += std::abs(cross[k]) * omega * omega;
            }
            EXPECT_NEAR(numerator / denominator, delay, 0.02);
        }
        Fft(12).Transform(cross, -1);
        const auto peak =
            std::max_element(cross.begin(), cross.end(), [](auto a, auto b) { return a.real() < b.real(); }) -
            cross.begin();
        EXPECT_NEAR(peak < 2048 ? peak : peak - 4096, delay, 0.51);
    }
}

TEST(LeakNoiseGeneratorTest, KeepsTheLeakNoiseInsideTheBand)
{
    const Samples record = Record(TwoStations(0.0, 0.0, kNoNoise, 300.0, 600.0), 8);
    EXPECT_NEAR(std::sqrt(Variance(record[0])), 1000.0, 60.0);
    // Hann-windowed power spectrum, so the analysis adds no leakage of its own.
    const Fft fft(12);
    std::vector<double> power(2049), windowed(4096);
    std::vector<std::complex<double>> spectrum(2049);
    for (size_t start = 0; start < record[0].size(); start += 4096) {
        for (size_t n = 0; n < 4096; ++n) {
            windowed[n] =
                record[0][start + n] * (1.0 - std::cos(2.0 * std::numbers::pi * static_cast<double>(n) / 4096.0));
        }
        fft.TransformReal(windowed, spectrum);
        for (size_t k = 0; k < power.size(); ++k) {
            power[k] += std::norm(spectrum[k]);
        }
    }
    const auto meanPower = [&](double lowHz, double highHz) {
        const auto low = static_cast<size_t>(lowHz * kBlockSeconds), high = static_cast<size_t>(highHz * kBlockSeconds);
        double sum = 0.0;
        for (size_t k = low; k < high; ++k) {
            sum += power[k];
        }
        return sum / static_cast<double>(high - low);
    };
    const double inBand = meanPower(330.0, 570.0);
    EXPECT_LT(meanPower(0.0, 260.0), inBand * 1e-5);
    EXPECT_LT(meanPower(640.0, kSampleRate / 2.0), inBand * 1e-5);
    for (double low = 330.0; low < 570.0; low += 40.0) {
        EXPECT_NEAR(meanPower(low, low + 40.0) / inBand, 1.0, 0.3) << low << " Hz";
    }
}

TEST(LeakNoiseGeneratorTest, StationNoiseSetsTheSignalToNoiseRatio)
{
    for (const double snr : {6.0, -3.0}) {
        const Samples record = Record(TwoStations(0.0, 0.0, snr), 8);
        std::vector<double> difference(record[0].size());
        for (size_t n = 0; n < difference.size(); ++n) {
            difference[n] = record[0][n] - record[1][n];  // the leak cancels, the two noises add
        }
        const double noise = Variance(difference) / 2.0;
        const double source = (Variance(record[0]) + Variance(record[1])) / 2.0 - noise;
        EXPECT_NEAR(10.0 * std::log10(source / noise), snr, 0.3);
    }
}

TEST(LeakNoiseGeneratorTest, IsRepeatableAndRestartsNumberingWhileTheLeakGoesOn)
{
    LeakNoiseConfig config = TwoStations(0.0, 3.0, 20.0);
    const Samples reference = Record(config, 3);
    EXPECT_EQ(Record(config, 3), reference);
    config.seed = 43;
    EXPECT_NE(Record(config, 3), reference);
    config.seed = 42;

    auto generator = LeakNoiseGenerator::Create(config);
    ASSERT_TRUE(generator);
    for (int b = 0; b < 2; ++b) {
        const SampledBlock block = generator->NextBlock();
        EXPECT_EQ(block.blockNumber, b);
        EXPECT_EQ(block.firstSample, b * 4096);
    }
    generator->Restart(0.0);  // sampling starts again at once: the stream is unbroken
    const SampledBlock again = generator->NextBlock();
    EXPECT_EQ(again.blockNumber, 0);
    EXPECT_TRUE(std::equal(again.samples[1].begin(), again.samples[1].end(), reference[1].begin() + 2 * 4096));

    generator->Restart(1.0);
    const SampledBlock later = generator->NextBlock();
    EXPECT_EQ(later.blockNumber, 0);
    EXPECT_EQ(later.firstSample, 3 * 4096 + std::llround(kSampleRate));
    EXPECT_EQ(generator->NextBlock().blockNumber, 1);
}

TEST(LeakNoiseGeneratorTest, RejectsConfigurationsItCannotRun)
{
    EXPECT_TRUE(LeakNoiseGenerator::Check(TwoStations(0.0, 1.0, kNoNoise)).empty());
    LeakNoiseConfig noSource = TwoStations(0.0, 0.0, 10.0);
    noSource.sourceRms = 0.0;
    LeakNoiseConfig crowded = TwoStations(0.0, 0.0, 10.0);
    crowded.stations.resize(LeakNoiseGenerator::kMaxStations + 1);
    const LeakNoiseConfig bad[] = {
        TwoStations(0.0, 0.0, 10.0, 800.0, 800.0),
        TwoStations(0.0, 0.0, 10.0, -1.0, 800.0),
        TwoStations(0.0, 0.0, 10.0, 100.0, 2442.0),
        TwoStations(0.0, 0.0, 10.0, std::nan(""), 800.0),
        TwoStations(0.0, 0.0, std::nan("")),
        TwoStations(0.0, 0.0, -kNoNoise),
        TwoStations(0.0, 10.1 * kSampleRate, 10.0),
        noSource,
        crowded,
        LeakNoiseConfig{},
    };
    for (const LeakNoiseConfig& config : bad) {
        EXPECT_FALSE(LeakNoiseGenerator::Check(config).empty());
        EXPECT_FALSE(LeakNoiseGenerator::Create(config).has_value());
    }
}

}  // namespace
}  // namespace korvanta::sim
