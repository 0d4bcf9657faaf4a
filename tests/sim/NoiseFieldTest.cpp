// The noise field round the leak: sources on the pipe outside the sensors, traffic partly common
// to the sensors, a background of each sensor's own that rises to low frequencies and comes and
// goes, the stations' timing offsets, the sensors' roll-off and their self-noise in physical
// units. Each against its definition.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "PipeSignalTestSupport.h"
#include "sim/acoustics/Intermittency.h"
#include "sim/acoustics/SensorModel.h"

namespace korvanta::sim {
namespace {

using namespace pipetest;

// The magnitude-squared coherence of two stations averaged over a band.
double Coherence(const Comparison& c, double lowHz, double highHz)
{
    double sum = 0.0;
    int bins = 0;
    for (size_t k = Bin(lowHz); k <= Bin(highHz); ++k) {
        sum += std::norm(c.cross[k]) / (c.powerA[k] * c.powerB[k]);
        ++bins;
    }
    return sum / bins;
}

double BandPowerDb(const Comparison& c, double hz)
{
    double power = 0.0;
    for (size_t k = Bin(hz) - 4; k <= Bin(hz) + 4; ++k) {
        power += c.powerA[k];
    }
    return 10.0 * std::log10(power);
}

AcousticScene QuietIronPipe(double lengthMetres)
{
    AcousticScene scene = IronPipe(lengthMetres, 0.01);
    scene.leaks[0].levelDb = kSilent;
    return scene;
}

TEST(NoiseField, TrafficIsCommonToTheSensorsAsFarAsItsCoherenceLengthSays)
{
    struct Case {
        double road;
        double length;  // 0: no coherence length, the same traffic at every sensor
        double coherence;
    };
    // Red at 0, blue at 300: exp(-(d_red + d_blue) / L).
    const Case cases[] = {{100.0, 0.0, 1.0},
                          {100.0, 200.0, std::exp(-300.0 / 200.0)},
                          {150.0, 600.0, std::exp(-300.0 / 600.0)},
                          {-100.0, 400.0, std::exp(-500.0 / 400.0)}};
    for (const Case& c : cases) {
        AcousticScene scene = QuietIronPipe(300.0);
        scene.traffic.on = true;
        scene.traffic.band = {5.0, 40.0};
        scene.traffic.positionMetres = c.road;
        if (c.length > 0.0) {
            scene.traffic.coherenceLengthMetres = c.length;
        }
        const Signals s = Record(scene, {1, 2}, 40);
        const Comparison cmp = Compare(s[0], s[1], 0);
        EXPECT_NEAR(Coherence(cmp, 10.0, 35.0), c.coherence, 0.04) << "road at " << c.road << ", L " << c.length;
    }
}

TEST(NoiseField, ANoiseOutsideTheSensorsCorrelatesAtTheEndOfTheRange)
{
    for (const PipeNoiseKind kind : {PipeNoiseKind::WaterUse, PipeNoiseKind::Pump, PipeNoiseKind::PressureValve}) {
        AcousticScene scene = QuietIronPipe(200.0);
        PipeNoise noise = PipeNoise::Typical(kind);
        noise.positionMetres = -40.0;  // before red
        noise.gating = {};             // on all the time here
        scene.pipeNoises = {noise};
        const Signals s = Record(scene, {1, 2}, 24);
        // Blue hears it the whole pipe's travel after red: red minus blue is minus the range.
        const double rangeTicks = scene.pipe.TravelTime(0.0, 200.0) * kSampleRate;
        const auto whole = static_cast<size_t>(std::floor(rangeTicks));
        const Comparison c = Compare(s[0], s[1], whole);
        const double low = noise.band.lowHz * 1.3;
        const double high = noise.band.highHz * 0.8;
        EXPECT_NEAR(whole + DelayTicks(c, Bin(low), Bin(high)), rangeTicks, 0.05);
        EXPECT_GT(Coherence(c, low, high), 0.9);
    }
}

TEST(NoiseField, TheBackgroundIsEachSensorsOwnAndRisesTowardsLowFrequencies)
{
    AcousticScene scene = QuietIronPipe(200.0);
    scene.background.on = true;
    scene.background.levelDb = 0.0;
    scene.background.slopeDbPerOctave = -6.0;
    scene.background.band = {2.0, 1500.0};
    const Signals s = Record(scene, {1, 2}, 24);
    const Comparison c = Compare(s[0], s[1], 0);
    EXPECT_LT(Coherence(c, 10.0, 1000.0), 0.05);
    // Two octaves down, 12 dB up.
    EXPECT_NEAR(BandPowerDb(c, 25.0) - BandPowerDb(c, 100.0), 12.0, 1.0);
    EXPECT_NEAR(BandPowerDb(c, 100.0) - BandPowerDb(c, 400.0), 12.0, 1.0);
    // Its level is that of the whole band against the reference leak (a band starting where the
    // filters' 9 Hz smoothing leaves the slope whole).
    scene.background.band = {30.0, 1500.0};
    EXPECT_NEAR(Rms(Record(scene, {1}, 12)[0]) / PipeNoiseGenerator::kReferenceRms, 1.0, 0.03);
}

TEST(NoiseField, ANoiseThatComesAndGoesIsOnForItsShareOfTheTime)
{
    const Intermittency gating{2.0, 0.3, -40.0};
    const double off = std::pow(10.0, -40.0 / 20.0);
    int on = 0;
    int slots = 0;
    double biggestStep = 0.0;
    double previous = gating.Gain(7, 0);
    const auto ticksPerSlot = static_cast<int64_t>(2.0 * kSampleRate);
    for (int64_t tick = 1; tick < 3000 * ticksPerSlot; tick += 7) {
        const double gain = gating.Gain(7, tick);
        biggestStep = std::max(biggestStep, std::abs(gain - previous));
        previous = gain;
        if (tick % ticksPerSlot > ticksPerSlot / 2 && tick % ticksPerSlot <= ticksPerSlot / 2 + 7) {
            // Mid-slot the gain is either level, nothing between.
            EXPECT_TRUE(gain == 1.0 || std::abs(gain - off) < 1e-12) << gain;
            on += gain == 1.0 ? 1 : 0;
            ++slots;
        }
    }
    EXPECT_NEAR(static_cast<double>(on) / slots, 0.3, 0.03);
    // Raised-cosine ramps of 0.2 s (977 ticks): at most pi / 2 / 977 per tick.
    EXPECT_LT(biggestStep, 7.0 * 1.6 / 977.0);
    // Another key, other slots; a steady gating is always on.
    int same = 0;
    for (int64_t slot = 0; slot < 200; ++slot) {
        same += gating.Gain(7, slot * ticksPerSlot + ticksPerSlot / 2) ==
                        gating.Gain(8, slot * ticksPerSlot + ticksPerSlot / 2)
                    ? 1
                    : 0;
    }
    EXPECT_LT(same, 190);
    EXPECT_EQ(Intermittency{}.Gain(7, 12345), 1.0);
}

TEST(NoiseField, AStationsTimingOffsetDelaysAllItHears)
{
    AcousticScene scene = IronPipe(200.0, 0.01);
    scene.leaks[0].positionMetres = 80.0;
    const double expectedTicks = (scene.pipe.TravelTime(80.0, 200.0) - scene.pipe.TravelTime(80.0, 0.0)) * kSampleRate;
    for (const double offsetMs : {3.0, -2.5}) {
        AcousticScene late = scene;
        late.sensors[2].timingOffsetSeconds = offsetMs / 1000.0;
        const Signals s = Record(late, {1, 2}, 20);
        const double ticks = expectedTicks + offsetMs / 1000.0 * kSampleRate;
        const auto whole = static_cast<size_t>(std::floor(ticks));
        EXPECT_NEAR(whole + DelayTicks(Compare(s[0], s[1], whole), Bin(50.0), Bin(1000.0)), ticks, 0.05) << offsetMs;
    }
}

TEST(NoiseField, TheRollOffIsASecondOrderHighPass)
{
    SensorModel sensor;
    sensor.type = SensorType::Hydrophone;
    sensor.resonanceHz = 1e5;
    sensor.lowCutHz = 20.0;
    const struct {
        double hz;
        double db;
    } cases[] = {{5.0, -24.1}, {10.0, -12.3}, {20.0, -3.01}, {80.0, -0.02}, {400.0, 0.0}};
    for (const auto& c : cases) {
        EXPECT_NEAR(20.0 * std::log10(std::abs(sensor.Response(c.hz))), c.db, 0.05) << c.hz << " Hz";
    }
    sensor.lowCutHz = 0.0;
    EXPECT_NEAR(std::abs(sensor.Response(1.0)), 1.0, 1e-6);
}

TEST(NoiseField, SelfNoiseInPhysicalUnitsComparesHydrophonesAndAccelerometersAsThePipeDoes)
{
    // A leak heard only round 100 Hz on a PVC pipe. An accelerometer whose noise is the wall's
    // acceleration for the hydrophone's noise pressure at 100 Hz, omega^2 a^2 / (E h) times it,
    // must hear the leak as far above its noise as the hydrophone does.
    AcousticScene scene = QuietIronPipe(100.0);
    AcousticSection pvc;
    pvc.lengthMetres = 100.0;
    pvc.innerDiameterMm = 101.4;
    pvc.wallMm = 4.3;
    pvc.youngsModulusGPa = 3.3;
    pvc.lossFactor = 0.03;
    scene.pipe = AcousticPipe({pvc}, Water{});
    scene.leaks[0].band = {95.0, 105.0};
    scene.referencePressurePa = 2.0;
    const double hydrophoneNoise = 1e-3;  // Pa per root hertz
    const double omega = 2.0 * kPi * 100.0;
    const double ring = 0.0507 * 0.0507 / (3.3e9 * 0.0043);
    scene.sensors[1].type = SensorType::Hydrophone;
    scene.sensors[1].selfNoisePerRootHz = hydrophoneNoise;
    scene.sensors[2].type = SensorType::Accelerometer;
    scene.sensors[2].resonanceHz = 1e5;
    scene.sensors[2].selfNoisePerRootHz = hydrophoneNoise * omega * omega * ring;
    const Signals s = Record(scene, {1, 2}, 8);
    // The hydrophone: white noise of density n over 0..fs/2 against the leak's 2 Pa.
    const double expected = hydrophoneNoise * std::sqrt(kSampleRate / 2.0) / 2.0 * PipeNoiseGenerator::kReferenceRms;
    EXPECT_NEAR(Rms(s[0]), expected, 0.02 * expected);
    // (the leak's band edges spread it over about 85..125 Hz, where f^2 weighs a little apart)
    EXPECT_NEAR(Rms(s[1]) / Rms(s[0]), 1.0, 0.05);
    // The same accelerometer on DN100 iron, whose ring is 66 times stiffer, is 66 times noisier
    // against the same leak pressure.
    AcousticScene iron = scene;
    iron.pipe = IronPipe(100.0, 0.0).pipe;
    const double ironRing = 0.053 * 0.053 / (170e9 * 0.006);
    EXPECT_NEAR(Rms(Record(iron, {2}, 4)[0]) / Rms(s[1]), ring / ironRing, 0.03 * ring / ironRing);
}

}  // namespace
}  // namespace korvanta::sim
