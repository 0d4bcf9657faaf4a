#pragma once

#include <complex>
#include <string>
#include <vector>

#include "sim/acoustics/AcousticSection.h"

namespace korvanta::sim {

// Sections in series from position 0 to the pipe's total length. Places before 0 or past the end
// lie on the first or the last section carried on, so a sensor may sit beyond either end.
class AcousticPipe {
public:
    static constexpr int kMaxSections = 50;

    AcousticPipe() = default;
    AcousticPipe(std::vector<AcousticSection> sections, Water water);

    const std::vector<AcousticSection>& Sections() const { return sections_; }
    const Water& WaterProperties() const { return water_; }
    double TotalLength() const;
    // The section at a place (the first or last one beyond the ends). The pipe must have one.
    const AcousticSection& SectionAt(double metres) const;

    // Seconds the wave takes between two places, either way round.
    double TravelTime(double from, double to) const;
    // Nepers the wave's amplitude loses between two places at `hz`.
    double LossNepers(double from, double to, double hz) const;
    // The sum of k * metres over the sections between two places, either way round: the wave
    // arrives multiplied by exp(-i * Propagation).
    std::complex<double> Propagation(double from, double to, double hz) const;

    // Empty when the pipe can be modelled, else what is wrong with it.
    std::string Check() const;

private:
    // Sum over the stretch between two places of `perMetre(section) * metres in it`.
    template <typename PerMetre>
    auto Integrate(double from, double to, const PerMetre& perMetre) const;

    std::vector<AcousticSection> sections_;
    Water water_;
};

}  // namespace korvanta::sim
