#include "sim/acoustics/SoundPaths.h"

#include <cmath>
#include <numbers>

namespace korvanta::sim {

namespace {

bool StrictlyBetween(double x, double a, double b)
{
    return (x > a && x < b) || (x > b && x < a);
}

// What the reflectors passed along one leg let through; `skip` is the reflector the leg ends at.
double Transmission(const std::vector<Reflector>& reflectors, double from, double to, const Reflector* skip)
{
    double gain = 1.0;
    for (const Reflector& r : reflectors) {
        if (&r != skip && StrictlyBetween(r.positionMetres, from, to)) {
            gain *= 1.0 + r.coefficient;
        }
    }
    return gain;
}

}  // namespace

std::complex<double> SoundPath::Response(const AcousticPipe& pipe, double hz) const
{
    std::complex<double> exponent(0.0, 2.0 * std::numbers::pi * hz * delaySeconds);
    for (const auto& [from, to] : legs) {
        exponent -= std::complex<double>(0.0, 1.0) * pipe.Propagation(from, to, hz);
    }
    return gain * std::exp(exponent);
}

double SoundPath::Amplitude(const AcousticPipe& pipe, double hz) const
{
    double nepers = 0.0;
    for (const auto& [from, to] : legs) {
        nepers += pipe.LossNepers(from, to, hz);
    }
    return gain * std::exp(-nepers);
}

std::vector<SoundPath> PathsBetween(const AcousticPipe& pipe, const std::vector<Reflector>& reflectors,
                                    double sourceMetres, double sensorMetres)
{
    std::vector<SoundPath> paths;
    paths.push_back({pipe.TravelTime(sourceMetres, sensorMetres),
                     Transmission(reflectors, sourceMetres, sensorMetres, nullptr),
                     {{sourceMetres, sensorMetres}}});
    for (const Reflector& r : reflectors) {
        const double x = r.positionMetres;
        const bool sameSide = (sourceMetres < x && sensorMetres < x) || (sourceMetres > x && sensorMetres > x);
        if (!sameSide || r.coefficient == 0.0) {
            continue;
        }
        SoundPath path;
        path.delaySeconds = pipe.TravelTime(sourceMetres, x) + pipe.TravelTime(x, sensorMetres);
        path.gain = r.coefficient * Transmission(reflectors, sourceMetres, x, &r) *
                    Transmission(reflectors, x, sensorMetres, &r);
        path.legs = {{sourceMetres, x}, {x, sensorMetres}};
        paths.push_back(std::move(path));
    }
    return paths;
}

}  // namespace korvanta::sim
