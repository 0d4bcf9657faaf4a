#include "sim/recording/Resampler.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "sim/acoustics/PathFilter.h"

namespace korvanta::sim {

Resampler::Resampler(double inputRate, double outputRate)
    : inputRate_(inputRate),
      outputRate_(outputRate),
      cutoff_(0.5 * kPassband * std::min(1.0, outputRate / inputRate)),
      halfWidth_(kZeroCrossings / (2.0 * cutoff_))
{
    const int steps = kZeroCrossings * kTableStepsPerCrossing;
    table_.resize(static_cast<size_t>(steps) + 2);
    const double i0Beta = BesselI0(kKaiserBeta);
    for (int i = 0; i <= steps; ++i) {
        const double x = static_cast<double>(i) / kTableStepsPerCrossing;  // zero crossings
        const double sinc = x == 0.0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
        const double r = x / kZeroCrossings;
        const double window = BesselI0(kKaiserBeta * std::sqrt(std::max(0.0, 1.0 - r * r))) / i0Beta;
        table_[static_cast<size_t>(i)] = 2.0 * cutoff_ * sinc * window;
    }
    table_.back() = 0.0;  // past the last crossing, for the interpolation's right neighbour
}

double Resampler::Kernel(double u) const
{
    const double position = std::abs(u) * 2.0 * cutoff_ * kTableStepsPerCrossing;
    const auto index = static_cast<size_t>(position);
    if (index + 1 >= table_.size()) {
        return 0.0;
    }
    const double fraction = position - static_cast<double>(index);
    return table_[index] + fraction * (table_[index + 1] - table_[index]);
}

std::vector<double> Resampler::Run(std::span<const float> input) const
{
    if (input.empty()) {
        return {};
    }
    if (inputRate_ == outputRate_) {
        return std::vector<double>(input.begin(), input.end());
    }
    const auto length = static_cast<int64_t>(input.size());
    const auto outputs =
        static_cast<size_t>(std::max<int64_t>(1, std::llround(static_cast<double>(length) * outputRate_ / inputRate_)));
    std::vector<double> output(outputs);
    const double step = inputRate_ / outputRate_;
    for (size_t j = 0; j < outputs; ++j) {
        const double centre = static_cast<double>(j) * step;
        const auto first = static_cast<int64_t>(std::ceil(centre - halfWidth_));
        const auto last = static_cast<int64_t>(std::floor(centre + halfWidth_));
        double sum = 0.0;
        if (first >= 0 && last < length) {
            for (int64_t k = first; k <= last; ++k) {
                sum += static_cast<double>(input[static_cast<size_t>(k)]) * Kernel(centre - static_cast<double>(k));
            }
        } else {
            for (int64_t k = first; k <= last; ++k) {
                // The loop wraps round: sample k of the input is sample k mod length.
                const int64_t wrapped = ((k % length) + length) % length;
                sum +=
                    static_cast<double>(input[static_cast<size_t>(wrapped)]) * Kernel(centre - static_cast<double>(k));
            }
        }
        output[j] = sum;
    }
    return output;
}

}  // namespace korvanta::sim
