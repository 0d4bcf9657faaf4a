#pragma once

#include <optional>
#include <string>

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
struct AcousticSection {
    double lengthMetres = 100.0;
    std::string material;  // a name, for reports only
    double innerDiameterMm = 100.0;
    double wallMm = 5.0;
    double youngsModulusGPa = 3.3;
    double lossFactor = 0.03;  // eta of the wall
    double soilLossDbPerMetreAt100Hz = 0.0;
    std::optional<double> waveSpeed;  // m/s, a measured speed in place of the formula's

    double Beta(const Water& water) const;
    // The speed the wave travels this section at, in m/s.
    double WaveSpeed(const Water& water) const;
    // Attenuation of the wave's amplitude in nepers per metre at `hz`, wall and soil together.
    double LossNepersPerMetre(const Water& water, double hz) const;
    double WallLossNepersPerMetre(const Water& water, double hz) const;
    double SoilLossNepersPerMetre(double hz) const;

    // Empty when the section can be modelled, else what is wrong with it.
    std::string Check() const;
};

}  // namespace korvanta::sim
