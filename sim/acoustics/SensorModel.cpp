#include "sim/acoustics/SensorModel.h"

#include <cmath>
#include <numbers>

namespace korvanta::sim {

std::complex<double> SensorModel::Response(double hz) const
{
    const double r = hz / resonanceHz;
    const std::complex<double> resonance = 1.0 / std::complex<double>(1.0 - r * r, r / resonanceQ);
    std::complex<double> response = resonance;
    if (lowCutHz > 0.0) {
        // Butterworth: (i f/fc)^2 / (1 - (f/fc)^2 + i sqrt2 f/fc).
        const double q = hz / lowCutHz;
        response *= -q * q / std::complex<double>(1.0 - q * q, std::numbers::sqrt2 * q);
    }
    if (type == SensorType::Hydrophone) {
        return response;
    }
    const std::complex<double> derivative(0.0, hz / 1000.0);
    return derivative * derivative * response;
}

std::string SensorModel::Check() const
{
    if (!std::isfinite(positionMetres)) {
        return "the position must be a number of metres";
    }
    if (!std::isfinite(resonanceHz) || resonanceHz < 50.0 || resonanceHz > 1e6) {
        return "the resonance must lie in 50 Hz..1 MHz";
    }
    if (!std::isfinite(resonanceQ) || resonanceQ < 0.5 || resonanceQ > 50.0) {
        return "the resonance's Q must lie in 0.5..50";
    }
    if (!std::isfinite(noiseDb) || noiseDb < -150.0 || noiseDb > 60.0) {
        return "the sensor's own noise must lie in -150..60 dB";
    }
    if (selfNoisePerRootHz &&
        !(std::isfinite(*selfNoisePerRootHz) && *selfNoisePerRootHz >= 0.0 && *selfNoisePerRootHz <= 1e3)) {
        return "the sensor's self-noise must lie in 0..1000 per root hertz";
    }
    if (!std::isfinite(lowCutHz) || lowCutHz < 0.0 || lowCutHz > 1000.0) {
        return "the low-frequency roll-off must lie in 0..1000 Hz";
    }
    if (!std::isfinite(timingOffsetSeconds) || std::abs(timingOffsetSeconds) > 1.0) {
        return "the timing offset must lie in -1..1 s";
    }
    return {};
}

}  // namespace korvanta::sim
