#include "sim/acoustics/AcousticSection.h"

#include <cmath>
#include <numbers>

namespace korvanta::sim {

namespace {

// One neper is 20 / ln 10 dB.
constexpr double kDbPerNeper = 8.685889638065036;

bool Positive(double value)
{
    return std::isfinite(value) && value > 0.0;
}

}  // namespace

double Water::SoundSpeed() const
{
    return std::sqrt(bulkModulusPa / density);
}

double AcousticSection::Beta(const Water& water) const
{
    // 2 B a / (E h) with a = D / 2: the millimetres cancel.
    return water.bulkModulusPa * innerDiameterMm / (youngsModulusGPa * 1e9 * wallMm);
}

double AcousticSection::WaveSpeed(const Water& water) const
{
    if (waveSpeed) {
        return *waveSpeed;
    }
    if (Dispersive()) {
        return 2.0 * std::numbers::pi * kReferenceHz / Wavenumber(water, kReferenceHz).real();
    }
    return water.SoundSpeed() / std::sqrt(1.0 + Beta(water));
}

std::complex<double> AcousticSection::Wavenumber(const Water& water, double hz) const
{
    const double f = std::abs(hz);
    const double omega = 2.0 * std::numbers::pi * f;
    const std::complex<double> joints(0.0, -SoilLossNepersPerMetre(f));
    if (measured) {
        return measured->At(f) + joints;
    }
    if (soil) {
        const double a = innerDiameterMm / 2000.0;
        const double h = wallMm / 1000.0;
        const double ring = youngsModulusGPa * 1e9 * h / (a * a);
        const std::complex<double> load = soil->RadialImpedance(omega, a + h) - omega * omega * wallDensityKgPerM3 * h;
        const std::complex<double> d = std::complex<double>(1.0, lossFactor) + load / ring;
        return omega / water.SoundSpeed() * std::sqrt(1.0 + Beta(water) / d) + joints;
    }
    return {omega / WaveSpeed(water), -LossNepersPerMetre(water, f)};
}

double AcousticSection::WallLossNepersPerMetre(const Water& water, double hz) const
{
    const double beta = Beta(water);
    const double omega = 2.0 * std::numbers::pi * std::abs(hz);
    return omega * beta * lossFactor / (2.0 * WaveSpeed(water) * (1.0 + beta));
}

double AcousticSection::SoilLossNepersPerMetre(double hz) const
{
    return soilLossDbPerMetreAt100Hz * std::abs(hz) / 100.0 / kDbPerNeper;
}

double AcousticSection::LossNepersPerMetre(const Water& water, double hz) const
{
    if (Dispersive()) {
        return -Wavenumber(water, hz).imag();
    }
    return WallLossNepersPerMetre(water, hz) + SoilLossNepersPerMetre(hz);
}

std::string AcousticSection::Check() const
{
    if (!Positive(lengthMetres)) {
        return "the length must be a positive number of metres";
    }
    if (!Positive(innerDiameterMm) || !Positive(wallMm)) {
        return "the inner diameter and the wall must be positive numbers of millimetres";
    }
    if (!Positive(youngsModulusGPa)) {
        return "Young's modulus of the wall must be a positive number of GPa";
    }
    if (!std::isfinite(lossFactor) || lossFactor < 0.0 || lossFactor > 1.0) {
        return "the wall's loss factor must lie in 0..1";
    }
    if (!std::isfinite(soilLossDbPerMetreAt100Hz) || soilLossDbPerMetreAt100Hz < 0.0 ||
        soilLossDbPerMetreAt100Hz > 20.0) {
        return "the soil loss must lie in 0..20 dB per metre at 100 Hz";
    }
    if (waveSpeed && (!Positive(*waveSpeed) || *waveSpeed > 6000.0)) {
        return "the wave speed must lie in 0..6000 m/s";
    }
    if (waveSpeed && Dispersive()) {
        return "a measured wave speed cannot be combined with soil or a measured wavenumber";
    }
    if (soil && measured) {
        return "a measured wavenumber already includes the soil";
    }
    if (!std::isfinite(wallDensityKgPerM3) || wallDensityKgPerM3 < 100.0 || wallDensityKgPerM3 > 20000.0) {
        return "the wall's density must lie in 100..20000 kg/m3";
    }
    if (soil) {
        if (const std::string fault = soil->Check(); !fault.empty()) {
            return fault;
        }
    }
    return {};
}

}  // namespace korvanta::sim
