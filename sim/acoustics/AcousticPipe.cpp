#include "sim/acoustics/AcousticPipe.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace korvanta::sim {

AcousticPipe::AcousticPipe(std::vector<AcousticSection> sections, Water water)
    : sections_(std::move(sections)), water_(water)
{
}

double AcousticPipe::TotalLength() const
{
    double total = 0.0;
    for (const AcousticSection& section : sections_) {
        total += section.lengthMetres;
    }
    return total;
}

const AcousticSection& AcousticPipe::SectionAt(double metres) const
{
    double end = 0.0;
    for (const AcousticSection& section : sections_) {
        end += section.lengthMetres;
        if (metres < end) {
            return section;
        }
    }
    return sections_.back();
}

template <typename PerMetre>
auto AcousticPipe::Integrate(double from, double to, const PerMetre& perMetre) const
{
    using Value = decltype(perMetre(AcousticSection{}));
    Value sum{};
    if (sections_.empty()) {
        return sum;
    }
    const double low = std::min(from, to);
    const double high = std::max(from, to);
    double start = 0.0;
    for (size_t i = 0; i < sections_.size(); ++i) {
        const double end = start + sections_[i].lengthMetres;
        // The first section reaches back without end, the last one on without end.
        const double spanLow = i == 0 ? -std::numeric_limits<double>::infinity() : start;
        const double spanHigh = i + 1 == sections_.size() ? std::numeric_limits<double>::infinity() : end;
        const double overlap = std::min(high, spanHigh) - std::max(low, spanLow);
        if (overlap > 0.0) {
            sum += overlap * perMetre(sections_[i]);
        }
        start = end;
    }
    return sum;
}

double AcousticPipe::TravelTime(double from, double to) const
{
    return Integrate(from, to, [this](const AcousticSection& s) { return 1.0 / s.WaveSpeed(water_); });
}

double AcousticPipe::LossNepers(double from, double to, double hz) const
{
    return Integrate(from, to, [this, hz](const AcousticSection& s) { return s.LossNepersPerMetre(water_, hz); });
}

std::complex<double> AcousticPipe::Propagation(double from, double to, double hz) const
{
    return Integrate(from, to, [this, hz](const AcousticSection& s) { return s.Wavenumber(water_, hz); });
}

std::string AcousticPipe::Check() const
{
    if (!std::isfinite(water_.bulkModulusPa) || water_.bulkModulusPa <= 0.0 || !std::isfinite(water_.density) ||
        water_.density <= 0.0) {
        return "the water's bulk modulus and density must be positive numbers";
    }
    if (sections_.empty() || sections_.size() > static_cast<size_t>(kMaxSections)) {
        return "the pipe must have 1 to " + std::to_string(kMaxSections) + " sections";
    }
    for (size_t i = 0; i < sections_.size(); ++i) {
        if (const std::string fault = sections_[i].Check(); !fault.empty()) {
            return "section " + std::to_string(i + 1) + ": " + fault;
        }
    }
    return {};
}

}  // namespace korvanta::sim
