// What the modelled sensors hear: the delay and the attenuation between two sensors as the pipe
// model gives them, the reference level, seamless blocks, echoes, hum and traffic.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <memory>
#include <numbers>
#include <vector>

#include "sim/BlockTiming.h"
#include "sim/Fft.h"
#include "sim/acoustics/PipeMaterials.h"
#include "sim/acoustics/PipeNoiseGenerator.h"
#include "BuriedMdpePipe.h"
#include "PipeSignalTestSupport.h"

namespace korvanta::sim {
namespace {

using namespace pipetest;

TEST(PipeNoiseGenerator, TheFarSensorHearsTheLeakAsLateAndAsWeakAsThePipeMakesIt)
{
    AcousticScene scene = IronPipe(300.0, 0.01);
    scene.leaks[0].positionMetres = 50.0;
    const Signals s = Record(scene, {1, 2}, 40);

    const double expectedTicks = (scene.pipe.TravelTime(50.0, 300.0) - scene.pipe.TravelTime(50.0, 0.0)) * kSampleRate;
    const auto whole = static_cast<size_t>(std::floor(expectedTicks));
    const Comparison c = Compare(s[0], s[1], whole);
    EXPECT_NEAR(whole + DelayTicks(c, Bin(50.0), Bin(1200.0)), expectedTicks, 0.02);

    for (const double hz : {100.0, 200.0, 400.0, 800.0}) {
        const double expectedDb =
            -20.0 / std::log(10.0) * (scene.pipe.LossNepers(50.0, 300.0, hz) - scene.pipe.LossNepers(50.0, 0.0, hz));
        EXPECT_NEAR(LevelDifferenceDb(c, hz), expectedDb, 0.3) << hz << " Hz";
    }
    // At 800 Hz the soil takes 0.08 dB and the iron wall about 0.015 dB per metre: over 200 m
    // more pipe, some 19 dB.
    EXPECT_NEAR(LevelDifferenceDb(c, 800.0), -19.0, 0.5);
}

// A buried MDPE pipe, by its measured wavenumber or by the buried-pipe model.
AcousticSection BuriedMdpe(bool measured)
{
    AcousticSection s = pipetest::BuriedMdpe();
    s.lengthMetres = 10.0;
    if (!measured) {
        return s;
    }
    s.soil.reset();
    auto table = std::make_shared<MeasuredWavenumber>();
    std::string error;
    EXPECT_TRUE(MeasuredWavenumber::Parse(BuriedMdpeTableText(), 100.0, 800.0, *table, error)) << error;
    s.measured = table;
    return s;
}

TEST(PipeNoiseGenerator, ADispersivePipeDelaysAndDampsEachFrequencyAsItsWavenumberSays)
{
    for (const bool measured : {true, false}) {
        SCOPED_TRACE(measured ? "measured wavenumber" : "buried-pipe model");
        AcousticScene scene = IronPipe(10.0, 0.0);
        scene.pipe = AcousticPipe({BuriedMdpe(measured)}, Water{});
        scene.leaks[0].positionMetres = 0.0;
        scene.sensors[1].positionMetres = 0.5;
        scene.sensors[2].positionMetres = 2.5;
        const Signals s = Record(scene, {1, 2}, 24);
        const double metres = 2.0;
        const double delay = scene.pipe.TravelTime(0.5, 2.5);
        const auto whole = static_cast<size_t>(std::floor(delay * kSampleRate));
        const Comparison c = Compare(s[0], s[1], whole);
        for (const double hz : {100.0, 200.0, 300.0, 500.0}) {
            // The phase the cross-spectrum should have: -Re k d, less the ticks B was read later.
            std::complex<double> deviation = 0.0;
            for (size_t k = Bin(hz) - 8; k <= Bin(hz) + 8; ++k) {
                const double f = static_cast<double>(k) * kSampleRate / kN;
                const double expected = -scene.pipe.Propagation(0.5, 2.5, f).real() +
                                        2.0 * kPi * f * static_cast<double>(whole) / kSampleRate;
                deviation += c.cross[k] * std::polar(1.0, -expected);
            }
            const std::complex<double> k = scene.pipe.Sections()[0].Wavenumber(Water{}, hz);
            const double speed = 2.0 * kPi * hz / (k.real() - std::arg(deviation) / metres);
            EXPECT_NEAR(speed, 2.0 * kPi * hz / k.real(), 0.01 * 2.0 * kPi * hz / k.real()) << hz << " Hz";
            EXPECT_NEAR(LevelDifferenceDb(c, hz), 20.0 / std::log(10.0) * k.imag() * metres, 0.5) << hz << " Hz";
        }
    }
}

TEST(PipeNoiseGenerator, DelaysAcrossSectionsOfDifferentSpeedsAddUp)
{
    AcousticScene scene = IronPipe(100.0, 0.0);
    AcousticSection plastic;
    plastic.lengthMetres = 40.0;
    plastic.innerDiameterMm = 101.4;
    plastic.wallMm = 4.3;
    plastic.youngsModulusGPa = 3.3;
    plastic.lossFactor = 0.0;
    scene.pipe = AcousticPipe({scene.pipe.Sections()[0], plastic}, Water{});
    scene.sensors[2].positionMetres = 140.0;
    scene.leaks[0].positionMetres = 70.0;
    const Signals s = Record(scene, {1, 2}, 30);
    // 70 m of iron to red; 30 m of iron and 40 m of plastic to blue.
    const double iron = scene.pipe.Sections()[0].WaveSpeed(Water{});
    const double expectedTicks = (40.0 / plastic.WaveSpeed(Water{}) - 40.0 / iron) * kSampleRate;
    const auto whole = static_cast<size_t>(std::floor(expectedTicks));
    EXPECT_NEAR(whole + DelayTicks(Compare(s[0], s[1], whole), Bin(50.0), Bin(1000.0)), expectedTicks, 0.02);
}

TEST(PipeNoiseGenerator, ALeakRightAtASensorIsHeardAtTheReferenceLevel)
{
    for (const SensorType type : {SensorType::Hydrophone, SensorType::Accelerometer}) {
        AcousticScene scene = IronPipe(100.0, 0.05);
        scene.sensors[1].type = type;
        scene.sensors[1].resonanceHz = 1500.0;
        scene.sensors[1].resonanceQ = 5.0;
        scene.leaks[0].positionMetres = 0.0;
        EXPECT_NEAR(Rms(Record(scene, {1}, 12)[0]) / PipeNoiseGenerator::kReferenceRms, 1.0, 0.03);
    }
    // The sensor's own noise is measured against the same level.
    AcousticScene quiet = IronPipe(100.0, 0.05);
    quiet.leaks[0].levelDb = kSilent;
    quiet.sensors[2].noiseDb = -20.0;
    EXPECT_NEAR(Rms(Record(quiet, {2}, 8)[0]) / PipeNoiseGenerator::kReferenceRms, 0.1, 0.002);
}

TEST(PipeNoiseGenerator, BlocksJoinSeamlesslyAndDelaysCrossTheirBorders)
{
    // A lossless pipe at exactly one metre per tick: blue hears precisely what red heard 1000
    // ticks before, also where that lies in the previous block.
    AcousticScene scene = IronPipe(1000.0, 0.0);
    AcousticSection s = scene.pipe.Sections()[0];
    s.lossFactor = 0.0;
    s.waveSpeed = kSampleRate;
    scene.pipe = AcousticPipe({s}, Water{});
    const Signals x = Record(scene, {1, 2}, 3);
    double worst = 0.0;
    for (size_t n = 1000; n < x[1].size(); ++n) {
        worst = std::max(worst, std::abs(x[1][n] - x[0][n - 1000]));
    }
    EXPECT_LT(worst, 1e-6 * PipeNoiseGenerator::kReferenceRms);
}

TEST(PipeNoiseGenerator, AStationHearsTheSameWhicheverStationsSampleWithIt)
{
    AcousticScene scene = IronPipe(200.0, 0.02);
    scene.leaks[0].positionMetres = 80.0;
    scene.sensors[1].noiseDb = -20.0;
    scene.sensors[3].positionMetres = 300.0;
    scene.hum.on = true;
    const Signals pair = Record(scene, {1, 2}, 2);
    const Signals other = Record(scene, {3, 1}, 2);
    EXPECT_EQ(pair[0], other[1]);
    EXPECT_NE(pair[1], other[0]);
    scene.seed = 2;
    EXPECT_NE(Record(scene, {1, 2}, 2)[0], pair[0]);
}

TEST(PipeNoiseGenerator, AnEchoFromATeeFollowsTheDirectSound)
{
    // Lossless, so the echo keeps r of the direct sound: the autocorrelation at the echo's lag
    // is r / (1 + r^2).
    AcousticScene scene = IronPipe(200.0, 0.0);
    AcousticSection s = scene.pipe.Sections()[0];
    s.lossFactor = 0.0;
    s.waveSpeed = 1000.0;
    scene.pipe = AcousticPipe({s}, Water{});
    scene.leaks[0].positionMetres = 40.0;
    scene.reflectors = {{90.0, -1.0 / 3.0}};
    const std::vector<double> red = Record(scene, {1}, 12)[0];
    const auto lag = static_cast<size_t>(std::lround(0.1 * kSampleRate));  // 2 x 50 m at 1000 m/s
    double zero = 0.0;
    double echo = 0.0;
    for (size_t n = lag; n < red.size(); ++n) {
        zero += red[n] * red[n];
        echo += red[n] * red[n - lag];
    }
    EXPECT_NEAR(echo / zero, (-1.0 / 3.0) / (1.0 + 1.0 / 9.0), 0.03);
}

TEST(PipeNoiseGenerator, HumSitsOnTheMainsHarmonicsAtItsLevels)
{
    AcousticScene scene = IronPipe(100.0, 0.0);
    scene.leaks[0].levelDb = kSilent;
    scene.hum.on = true;
    scene.hum.frequencyHz = 50.0;
    scene.hum.levelDb = -10.0;
    scene.hum.harmonicsDb = {0.0, -20.0, -6.0};
    const std::vector<double> x = Record(scene, {1}, 4)[0];
    // Amplitude of each harmonic by projection on cosine and sine.
    for (const auto& [hz, db] : {std::pair{50.0, -10.0}, {100.0, -30.0}, {150.0, -16.0}, {200.0, kSilent}}) {
        std::complex<double> sum = 0.0;
        for (size_t n = 0; n < x.size(); ++n) {
            sum += x[n] * std::polar(1.0, -2.0 * kPi * hz * static_cast<double>(n) / kSampleRate);
        }
        const double amplitude = 2.0 * std::abs(sum) / static_cast<double>(x.size());
        const double expected = PipeNoiseGenerator::kReferenceRms * std::pow(10.0, db / 20.0) * std::sqrt(2.0);
        EXPECT_NEAR(amplitude, expected, 0.01 * PipeNoiseGenerator::kReferenceRms * 0.1) << hz << " Hz";
    }
}

TEST(PipeNoiseGenerator, TrafficReachesEverySensorAtTheSameMoment)
{
    AcousticScene scene = IronPipe(400.0, 0.0);
    scene.leaks[0].levelDb = kSilent;
    scene.traffic.on = true;
    scene.traffic.levelDb = 0.0;
    scene.traffic.band = {5.0, 60.0};
    const Signals s = Record(scene, {1, 2}, 12);
    const Comparison c = Compare(s[0], s[1], 0);
    EXPECT_NEAR(DelayTicks(c, Bin(8.0), Bin(55.0)), 0.0, 0.05);
    // Nothing of it above its band.
    double inBand = 0.0;
    double above = 0.0;
    for (size_t k = Bin(10.0); k < Bin(50.0); ++k)
        inBand += c.powerA[k];
    for (size_t k = Bin(200.0); k < Bin(240.0); ++k)
        above += c.powerA[k];
    EXPECT_LT(above, 1e-6 * inBand);
}

TEST(PipeNoiseGenerator, RestartsMoveTimeOnAndNumberBlocksAfresh)
{
    auto generator = PipeNoiseGenerator::Create(IronPipe(100.0, 0.0), {1, 2});
    ASSERT_TRUE(generator);
    generator->NextBlock();
    generator->NextBlock();
    generator->Restart(1.0);
    const SampledBlock block = generator->NextBlock();
    EXPECT_EQ(block.blockNumber, 0);
    EXPECT_EQ(block.firstSample, 2 * kSamplesPerBlock + std::llround(kSampleRate));
    EXPECT_EQ(generator->NextBlockNumber(), 1);
}

TEST(PipeNoiseGenerator, RefusesScenesAndUnitsItCannotModel)
{
    std::string error;
    EXPECT_FALSE(PipeNoiseGenerator::Create(IronPipe(100.0, 0.0), {}, &error));
    EXPECT_FALSE(PipeNoiseGenerator::Create(IronPipe(100.0, 0.0), {1, 1}, &error));
    EXPECT_FALSE(PipeNoiseGenerator::Create(IronPipe(100.0, 0.0), {4}, &error));
    AcousticScene far = IronPipe(100.0, 0.0);
    far.sensors[3].positionMetres = 50000.0;  // over 10 s of travel
    EXPECT_FALSE(PipeNoiseGenerator::Create(far, {1, 2}, &error));
    EXPECT_NE(error.find("yellow"), std::string::npos) << error;
    AcousticScene noLeak = IronPipe(100.0, 0.0);
    noLeak.leaks.clear();
    EXPECT_FALSE(PipeNoiseGenerator::Create(noLeak, {1, 2}, &error));
    AcousticScene badBand = IronPipe(100.0, 0.0);
    badBand.leaks[0].band = {800.0, 100.0};
    EXPECT_FALSE(PipeNoiseGenerator::Create(badBand, {1, 2}, &error));
}

}  // namespace
}  // namespace korvanta::sim
