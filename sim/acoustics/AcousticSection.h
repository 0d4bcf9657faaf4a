#pragma once

#include <complex>
#include <memory>
#include <optional>
#include <string>

#include "sim/acoustics/BuriedSoil.h"
#include "sim/acoustics/MeasuredWavenumber.h"

namespace korvanta::sim {

// The water in the pipe. Its own sound speed is sqrt(B / rho).
struct Water {
    double bulkModulusPa = 2.2e9;
    double density = 998.0;  // kg/m3

    double SoundSpeed() const;
};

// One stretch of a water-filled pipe, as the water-borne wave sees it.
//
// The wall's compliance slows the wave (Korteweg): with beta = 2 B a / (E h), a the inner radius
// and h the wall thickness, c = c_w / sqrt(1 + beta). The wall's loss factor eta damps it by
// omega beta eta / (2 c (1 + beta)) nepers per metre (the imaginary part of the wavenumber to
// first order in eta); the surrounding soil and the joints add a loss that grows in proportion
// to frequency, given as dB per metre at 100 Hz.
//
// A section buried in stated soil follows the buried-pipe model instead: the wall is a ring of
// stiffness E h / a^2 per square metre (with its loss factor), its own mass rho_p h and the soil's
// impedance z_s (BuriedSoil) act on it, and
//
//   k = (omega / c_w) sqrt(1 + beta / D),   D = 1 + i eta + (z_s - omega^2 rho_p h) a^2 / (E h):
//
// the soil's stiffness speeds the wave a little, its mass slows it as the frequency rises, and the
// shear waves it carries away damp it by about the square of the frequency. A section with a
// measured wavenumber takes k from the table. In both, the soil loss figure adds a loss in
// proportion to frequency on top (joints, fittings).
struct AcousticSection {
    double lengthMetres = 100.0;
    std::string material;  // a name, for reports only
    double innerDiameterMm = 100.0;
    double wallMm = 5.0;
    double youngsModulusGPa = 3.3;
    double lossFactor = 0.03;  // eta of the wall
    double soilLossDbPerMetreAt100Hz = 0.0;
    std::optional<double> waveSpeed;  // m/s, a measured speed in place of the formula's
    double wallDensityKgPerM3 = 1400.0;
    std::optional<BuriedSoil> soil;
    std::shared_ptr<const MeasuredWavenumber> measured;

    // The frequency whose phase speed stands for a dispersive section's speed.
    static constexpr double kReferenceHz = 200.0;

    bool Dispersive() const { return soil.has_value() || measured != nullptr; }
    // k = omega / c(f) - i alpha(f) in rad/m, e^{+i omega t} convention: the wave goes as e^{-i k x}.
    std::complex<double> Wavenumber(const Water& water, double hz) const;

    double Beta(const Water& water) const;
    // The speed the wave travels this section at, in m/s (a dispersive one's at kReferenceHz).
    double WaveSpeed(const Water& water) const;
    // Attenuation of the wave's amplitude in nepers per metre at `hz`, wall and soil together.
    double LossNepersPerMetre(const Water& water, double hz) const;
    double WallLossNepersPerMetre(const Water& water, double hz) const;
    double SoilLossNepersPerMetre(double hz) const;

    // Empty when the section can be modelled, else what is wrong with it.
    std::string Check() const;
};

}  // namespace korvanta::sim
