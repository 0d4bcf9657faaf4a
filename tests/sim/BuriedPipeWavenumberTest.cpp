// The wavenumber of a buried pipe against a measured one (a buried MDPE water main, inner radius
// 79 mm, wall 11 mm): the table as the simulator reads it, and the buried-pipe model with the
// parameters docs/simulator.md gives for it.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "sim/acoustics/AcousticSection.h"
#include "sim/acoustics/MeasuredWavenumber.h"
#include "BuriedMdpePipe.h"

namespace korvanta::sim {
namespace {

constexpr double kDbPerNeper = 8.685889638065036;

// The measured pipe averaged over +-10 Hz: phase speed (m/s) and attenuation (dB/m).
struct Measured {
    double hz;
    double speed;
    double dbPerMetre;
};
constexpr Measured kMeasured[] = {
    {100.0, 378.6, 1.36}, {200.0, 382.2, 1.30}, {300.0, 372.0, 5.19}, {500.0, 361.6, 13.92}};

double Speed(std::complex<double> k, double hz)
{
    return 2.0 * std::numbers::pi * hz / k.real();
}

double DbPerMetre(std::complex<double> k)
{
    return -k.imag() * kDbPerNeper;
}

TEST(MeasuredWavenumber, TheTableReadsAsTheMeasuredSpeedAndAttenuation)
{
    MeasuredWavenumber table;
    std::string error;
    ASSERT_TRUE(MeasuredWavenumber::Parse(pipetest::BuriedMdpeTableText(), 100.0, 800.0, table, error)) << error;
    EXPECT_EQ(table.FromHz(), 100.0);
    EXPECT_EQ(table.ToHz(), 800.0);
    for (const Measured& m : kMeasured) {
        const std::complex<double> k = table.At(m.hz);
        EXPECT_NEAR(Speed(k, m.hz), m.speed, 0.01 * m.speed) << m.hz << " Hz";
        EXPECT_NEAR(DbPerMetre(k), m.dbPerMetre, 0.02 * m.dbPerMetre) << m.hz << " Hz";
    }
    // Below the range the speed stays and the loss falls with frequency; above, both stay.
    EXPECT_NEAR(Speed(table.At(50.0), 50.0), Speed(table.At(100.0), 100.0), 1e-9);
    EXPECT_NEAR(DbPerMetre(table.At(50.0)), DbPerMetre(table.At(100.0)) / 2.0, 1e-12);
    EXPECT_EQ(table.At(1500.0).imag(), table.At(800.0).imag());
    EXPECT_EQ(table.At(0.0), std::complex<double>(0.0, 0.0));
}

TEST(MeasuredWavenumber, UnusableTablesAreRefusedWithTheReason)
{
    struct Case {
        const char* text;
        const char* reason;
    };
    const Case cases[] = {
        {"100 1.6 -1\n101 x -1\n", "line 2"},    {"100 1.6 -1 7\n", "line 1"},
        {"100 1.6 -1\n99 1.7 -1\n", "fall"},     {"100 1.6 -1\n", "fewer than two"},
        {"# nothing\n", "fewer than two"},       {"100 -5 -1\n130 1.7 -1\n", "wave speed"},
        {"100 1.6 -1\n110 1.7 nan\n", "line 2"},
    };
    for (const Case& c : cases) {
        MeasuredWavenumber table;
        std::string error;
        EXPECT_FALSE(MeasuredWavenumber::Parse(c.text, 0.0, 1000.0, table, error)) << c.text;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    // A decay written positive reads the same as one written negative.
    MeasuredWavenumber positive;
    MeasuredWavenumber negative;
    std::string error;
    ASSERT_TRUE(MeasuredWavenumber::Parse("100 1.6 2\n200 3.2 4\n", 0.0, 1000.0, positive, error));
    ASSERT_TRUE(MeasuredWavenumber::Parse("100 1.6 -2\n200 3.2 -4\n", 0.0, 1000.0, negative, error));
    EXPECT_EQ(positive.At(150.0), negative.At(150.0));
    EXPECT_NEAR(DbPerMetre(positive.At(150.0)), 3.0, 1e-12);
}

TEST(BuriedPipeModel, ReproducesTheMeasuredSpeedAndTheLossAboveTwoHundredHertz)
{
    const Water water;
    const AcousticSection mdpe = pipetest::BuriedMdpe();
    for (const Measured& m : kMeasured) {
        const std::complex<double> k = mdpe.Wavenumber(water, m.hz);
        EXPECT_NEAR(Speed(k, m.hz), m.speed, 0.05 * m.speed) << m.hz << " Hz";
        // Above 200 Hz within a quarter; below, the measurement wavers between 1.3 and 4 dB/m
        // from one 20 Hz band to the next and no smooth loss follows it closer than by half.
        const double share = m.hz > 200.0 ? 0.25 : 0.55;
        EXPECT_NEAR(DbPerMetre(k), m.dbPerMetre, share * m.dbPerMetre) << m.hz << " Hz";
    }
    // The loss grows about as the square of frequency, not in proportion to it.
    EXPECT_GT(DbPerMetre(mdpe.Wavenumber(water, 500.0)) / DbPerMetre(mdpe.Wavenumber(water, 250.0)), 3.0);
    EXPECT_NEAR(mdpe.WaveSpeed(water), Speed(mdpe.Wavenumber(water, 200.0), 200.0), 1e-9);
}

TEST(BuriedPipeModel, TheSoilSlowsAPlasticPipeButHardlyAnIronOne)
{
    const Water water;
    AcousticSection free = pipetest::BuriedMdpe();
    free.soil.reset();
    free.lossFactor = 0.0;
    // Without soil, wall loss or wall mass the model is Korteweg's wave.
    free.wallDensityKgPerM3 = 100.0;
    AcousticSection bare = free;
    bare.soil = BuriedSoil{1900.0, 110.0, 0.0};
    bare.soil->densityKgPerM3 = 500.0;
    bare.soil->shearSpeedMps = 1.0;
    EXPECT_NEAR(Speed(bare.Wavenumber(water, 20.0), 20.0), free.WaveSpeed(water), 0.002 * free.WaveSpeed(water));

    const AcousticSection mdpe = pipetest::BuriedMdpe();
    EXPECT_LT(Speed(mdpe.Wavenumber(water, 500.0), 500.0), Speed(mdpe.Wavenumber(water, 100.0), 100.0));

    AcousticSection iron;
    iron.innerDiameterMm = 158.0;
    iron.wallMm = 6.0;
    iron.youngsModulusGPa = 170.0;
    iron.lossFactor = 0.005;
    iron.wallDensityKgPerM3 = 7100.0;
    AcousticSection buriedIron = iron;
    buriedIron.soil = BuriedSoil{};
    for (const double hz : {100.0, 300.0, 800.0}) {
        const double speed = Speed(buriedIron.Wavenumber(water, hz), hz);
        EXPECT_NEAR(speed, iron.WaveSpeed(water), 0.01 * iron.WaveSpeed(water)) << hz << " Hz";
        // The iron's own loss and the soil's stay below a tenth of a dB per metre.
        EXPECT_LT(DbPerMetre(buriedIron.Wavenumber(water, hz)), 0.1) << hz << " Hz";
        EXPECT_GT(DbPerMetre(buriedIron.Wavenumber(water, hz)), DbPerMetre(iron.Wavenumber(water, hz)));
    }
}

}  // namespace
}  // namespace korvanta::sim
