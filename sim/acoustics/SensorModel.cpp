#include "sim/acoustics/SensorModel.h"

#include <cmath>

namespace korvanta::sim {

std::complex<double> SensorModel::Response(double hz) const
{
    const double r = hz / resonanceHz;
    const std::complex<double> resonance = 1.0 / std::complex<double>(1.0 - r * r, r / resonanceQ);
    if (type == SensorType::Hydrophone) {
        return resonance;
    }
    const std::complex<double> derivative(0.0, hz / 1000.0);
    return derivative * derivative * resonance;
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
    return {};
}

}  // namespace korvanta::sim
