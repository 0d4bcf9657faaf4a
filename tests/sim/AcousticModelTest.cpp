// The pipe's acoustics: wave speed and attenuation of the water-borne wave against their
// formulas, sections in series, sound paths with reflectors, and the sensors' responses.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "sim/acoustics/AcousticPipe.h"
#include "sim/acoustics/AcousticSection.h"
#include "sim/acoustics/PipeMaterials.h"
#include "sim/acoustics/SensorModel.h"
#include "sim/acoustics/SoundPaths.h"

namespace korvanta::sim {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDbPerNeper = 8.685889638065036;

AcousticSection Section(double length, const char* material, double innerMm, double wallMm)
{
    const PipeMaterial m = *FindPipeMaterial(material);
    AcousticSection s;
    s.lengthMetres = length;
    s.material = material;
    s.innerDiameterMm = innerMm;
    s.wallMm = wallMm;
    s.youngsModulusGPa = m.youngsModulusGPa;
    s.lossFactor = m.lossFactor;
    s.soilLossDbPerMetreAt100Hz = m.soilLossDbPerMetreAt100Hz;
    return s;
}

// c = c_w / sqrt(1 + beta), beta = 2 B a / (E h), in SI units throughout.
double KortewegSpeed(double bulkModulus, double density, double radiusM, double youngs, double wallM)
{
    const double beta = 2.0 * bulkModulus * radiusM / (youngs * wallM);
    return std::sqrt(bulkModulus / density) / std::sqrt(1.0 + beta);
}

TEST(AcousticSection, WaveSpeedFollowsKortewegsFormula)
{
    const Water water;  // 2.2 GPa, 998 kg/m3
    EXPECT_NEAR(water.SoundSpeed(), 1484.7, 0.1);
    const AcousticSection pvc = Section(100.0, "pvc", 101.4, 4.3);
    EXPECT_NEAR(pvc.Beta(water), 2.0 * 2.2e9 * 0.0507 / (3.3e9 * 0.0043), 1e-9);
    EXPECT_NEAR(pvc.WaveSpeed(water), KortewegSpeed(2.2e9, 998.0, 0.0507, 3.3e9, 0.0043), 1e-9);
    EXPECT_NEAR(pvc.WaveSpeed(water), 363.1, 0.1);

    const AcousticSection steel = Section(100.0, "steel", 105.3, 4.5);
    EXPECT_NEAR(steel.WaveSpeed(water), KortewegSpeed(2.2e9, 998.0, 0.05265, 210e9, 0.0045), 1e-9);

    // A measured speed replaces the formula's.
    AcousticSection measured = pvc;
    measured.waveSpeed = 410.0;
    EXPECT_EQ(measured.WaveSpeed(water), 410.0);
}

TEST(AcousticSection, SpeedsAgreeWithTheShippedMaterialTables)
{
    // The material tables were computed apart from this model, with water at 10 C.
    const Water cold{2.093e9, 2.093e9 / (1447.0 * 1447.0)};
    EXPECT_NEAR(Section(1, "pvc", 101.4, 4.3).WaveSpeed(cold), 362.0, 0.6);
    EXPECT_NEAR(Section(1, "ductile-iron", 106.0, 6.0).WaveSpeed(cold), 1311.0, 0.6);
    EXPECT_NEAR(Section(1, "steel", 105.3, 4.5).WaveSpeed(cold), 1303.0, 0.6);
    EXPECT_NEAR(Section(1, "pe100", 90.0, 10.0).WaveSpeed(cold), 381.0, 0.6);
    EXPECT_NEAR(Section(1, "cast-iron", 150.0, 9.0).WaveSpeed(cold), 1246.0, 0.6);
}

TEST(AcousticSection, WallLossIsOmegaBetaEtaOverTwoCOnePlusBeta)
{
    const Water water;
    const AcousticSection pvc = Section(100.0, "pvc", 101.4, 4.3);
    const double beta = pvc.Beta(water);
    const double c = pvc.WaveSpeed(water);
    for (const double hz : {10.0, 100.0, 250.0, 1000.0}) {
        const double omega = 2.0 * kPi * hz;
        EXPECT_NEAR(pvc.WallLossNepersPerMetre(water, hz), omega * beta * 0.03 / (2.0 * c * (1.0 + beta)), 1e-12)
            << hz << " Hz";
    }
    // 110 mm PVC: about 0.21 dB per metre at 100 Hz from the wall alone.
    EXPECT_NEAR(pvc.WallLossNepersPerMetre(water, 100.0) * kDbPerNeper, 0.212, 0.002);
    // Proportional to frequency, and the same for negative frequencies.
    EXPECT_NEAR(pvc.WallLossNepersPerMetre(water, 300.0), 3.0 * pvc.WallLossNepersPerMetre(water, 100.0), 1e-12);
    EXPECT_EQ(pvc.WallLossNepersPerMetre(water, -300.0), pvc.WallLossNepersPerMetre(water, 300.0));
}

TEST(AcousticSection, SoilLossGrowsWithFrequencyFromItsValueAt100Hz)
{
    AcousticSection s = Section(10.0, "pvc", 101.4, 4.3);
    s.soilLossDbPerMetreAt100Hz = 0.8;
    EXPECT_NEAR(s.SoilLossNepersPerMetre(100.0) * kDbPerNeper, 0.8, 1e-12);
    EXPECT_NEAR(s.SoilLossNepersPerMetre(300.0) * kDbPerNeper, 2.4, 1e-12);
    EXPECT_EQ(s.SoilLossNepersPerMetre(0.0), 0.0);
    const Water water;
    EXPECT_NEAR(s.LossNepersPerMetre(water, 300.0),
                s.WallLossNepersPerMetre(water, 300.0) + s.SoilLossNepersPerMetre(300.0), 1e-15);
}

TEST(AcousticSection, BuriedPlasticLosesDecibelsPerMetreAndMetalLittle)
{
    const Water water;
    const double pvcDb = Section(1, "pvc", 101.4, 4.3).LossNepersPerMetre(water, 300.0) * kDbPerNeper;
    EXPECT_GT(pvcDb, 1.0);  // a few dB per metre at a few hundred Hz
    EXPECT_LT(pvcDb, 5.0);
    const AcousticSection iron = Section(1, "ductile-iron", 106.0, 6.0);
    EXPECT_LT(iron.LossNepersPerMetre(water, 300.0) * kDbPerNeper, 0.1);
    // In metal pipe the joints and the soil, not the wall, set the loss.
    EXPECT_GT(iron.SoilLossNepersPerMetre(300.0), 5.0 * iron.WallLossNepersPerMetre(water, 300.0));
}

TEST(AcousticSection, CheckRefusesWhatCannotBeModelled)
{
    AcousticSection good = Section(10.0, "pvc", 101.4, 4.3);
    EXPECT_EQ(good.Check(), "");
    for (auto spoil : std::initializer_list<void (*)(AcousticSection&)>{
             [](AcousticSection& s) { s.lengthMetres = 0.0; }, [](AcousticSection& s) { s.wallMm = -1.0; },
             [](AcousticSection& s) { s.innerDiameterMm = NAN; }, [](AcousticSection& s) { s.youngsModulusGPa = 0.0; },
             [](AcousticSection& s) { s.lossFactor = 1.5; },
             [](AcousticSection& s) { s.soilLossDbPerMetreAt100Hz = -0.1; },
             [](AcousticSection& s) { s.waveSpeed = 0.0; }}) {
        AcousticSection bad = good;
        spoil(bad);
        EXPECT_NE(bad.Check(), "");
    }
}

TEST(AcousticPipe, TravelTimesAndLossesAddUpOverSectionsAndBeyondTheEnds)
{
    const Water water;
    const AcousticSection plastic = Section(100.0, "pvc", 101.4, 4.3);
    const AcousticSection iron = Section(50.0, "ductile-iron", 106.0, 6.0);
    const AcousticPipe pipe({plastic, iron}, water);
    const double c1 = plastic.WaveSpeed(water);
    const double c2 = iron.WaveSpeed(water);
    EXPECT_DOUBLE_EQ(pipe.TotalLength(), 150.0);
    EXPECT_NEAR(pipe.TravelTime(0.0, 150.0), 100.0 / c1 + 50.0 / c2, 1e-12);
    EXPECT_NEAR(pipe.TravelTime(120.0, 20.0), 80.0 / c1 + 20.0 / c2, 1e-12);
    EXPECT_EQ(pipe.TravelTime(30.0, 30.0), 0.0);
    // Before 0 the first section carries on, past the end the last one.
    EXPECT_NEAR(pipe.TravelTime(-10.0, 0.0), 10.0 / c1, 1e-12);
    EXPECT_NEAR(pipe.TravelTime(150.0, 175.0), 25.0 / c2, 1e-12);
    EXPECT_NEAR(pipe.LossNepers(90.0, 160.0, 400.0),
                10.0 * plastic.LossNepersPerMetre(water, 400.0) + 60.0 * iron.LossNepersPerMetre(water, 400.0), 1e-12);
    EXPECT_EQ(pipe.Check(), "");
    EXPECT_NE(AcousticPipe({}, water).Check(), "");
    EXPECT_NE(AcousticPipe({plastic}, Water{0.0, 998.0}).Check(), "");
}

TEST(SoundPaths, AReflectorEchoesToSensorsOnTheLeaksSideAndLetsTheRestThrough)
{
    AcousticSection s = Section(200.0, "ductile-iron", 106.0, 6.0);
    s.waveSpeed = 1000.0;
    const AcousticPipe pipe({s}, Water{});
    const std::vector<Reflector> tee = {{90.0, -1.0 / 3.0}};

    const auto red = PathsBetween(pipe, tee, 43.5, 0.0);
    ASSERT_EQ(red.size(), 2u);
    EXPECT_NEAR(red[0].delaySeconds, 0.0435, 1e-12);
    EXPECT_EQ(red[0].gain, 1.0);
    EXPECT_NEAR(red[1].delaySeconds, (46.5 + 90.0) / 1000.0, 1e-12);
    EXPECT_NEAR(red[1].gain, -1.0 / 3.0, 1e-12);

    // Blue lies beyond the tee: the direct wave passes it with 1 + r, and no echo comes back.
    const auto blue = PathsBetween(pipe, tee, 43.5, 120.0);
    ASSERT_EQ(blue.size(), 1u);
    EXPECT_NEAR(blue[0].gain, 2.0 / 3.0, 1e-12);
    EXPECT_NEAR(blue[0].delaySeconds, 0.0765, 1e-12);

    // An echo loses along both of its legs.
    const double hz = 500.0;
    EXPECT_NEAR(red[1].Amplitude(pipe, hz),
                -1.0 / 3.0 * std::exp(-pipe.LossNepers(43.5, 90.0, hz) - pipe.LossNepers(90.0, 0.0, hz)), 1e-15);
    // Without dispersion a path does nothing beyond its delay but lose.
    EXPECT_NEAR(std::abs(red[1].Response(pipe, hz) - red[1].Amplitude(pipe, hz)), 0.0, 1e-12);

    // A valve beyond blue echoes to both sensors; one right at a sensor is not passed.
    const auto far = PathsBetween(pipe, {{150.0, 0.5}, {120.0, -0.2}}, 43.5, 0.0);
    ASSERT_EQ(far.size(), 3u);
    EXPECT_NEAR(far[1].delaySeconds, (106.5 + 150.0) / 1000.0, 1e-12);
    EXPECT_NEAR(far[1].gain, 0.5 * 0.8 * 0.8, 1e-12);  // through the tee at 120 both ways
    const auto atBlue = PathsBetween(pipe, {{120.0, -0.2}}, 43.5, 120.0);
    ASSERT_EQ(atBlue.size(), 1u);
    EXPECT_EQ(atBlue[0].gain, 1.0);
}

TEST(SensorModel, HydrophoneFollowsPressureAndAccelerometerItsSecondDerivative)
{
    SensorModel hydrophone;
    hydrophone.type = SensorType::Hydrophone;
    hydrophone.resonanceHz = 2000.0;
    hydrophone.resonanceQ = 4.0;
    EXPECT_NEAR(std::abs(hydrophone.Response(20.0)), 1.0, 1e-3);
    // At the resonance the fitting rings Q times up, a quarter period behind.
    EXPECT_NEAR(std::abs(hydrophone.Response(2000.0)), 4.0, 1e-12);
    EXPECT_NEAR(std::arg(hydrophone.Response(2000.0)), -kPi / 2.0, 1e-12);

    SensorModel accelerometer = hydrophone;
    accelerometer.type = SensorType::Accelerometer;
    accelerometer.resonanceHz = 20000.0;  // far above, so the derivative's law shows alone
    const std::complex<double> low = accelerometer.Response(100.0);
    EXPECT_NEAR(std::abs(low), 0.01, 1e-4);           // (f / 1 kHz)^2
    EXPECT_NEAR(std::abs(std::arg(low)), kPi, 0.01);  // i^2 = -1
    EXPECT_NEAR(std::abs(accelerometer.Response(400.0)) / std::abs(accelerometer.Response(200.0)), 4.0, 0.01);
}

}  // namespace
}  // namespace korvanta::sim
