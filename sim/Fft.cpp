#include "sim/Fft.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvanta::sim {

Fft::Fft(int log2Size)
{
    const int bits = std::clamp(log2Size, 1, 24);
    size_ = size_t{1} << bits;
    twiddles_.resize(size_ / 2);
    for (size_t j = 0; j < size_ / 2; ++j) {
        // Each twiddle straight from cos/sin: no error builds up along a recurrence.
        const double angle = 2.0 * std::numbers::pi * static_cast<double>(j) / static_cast<double>(size_);
        twiddles_[j] = {std::cos(angle), std::sin(angle)};
    }
    bitReverse_.resize(size_);
    for (size_t i = 0; i < size_; ++i) {
        uint32_t reversed = 0;
        for (int b = 0; b < bits; ++b) {
            reversed |= ((static_cast<uint32_t>(i) >> b) & 1u) << (bits - 1 - b);
        }
        bitReverse_[i] = reversed;
    }
}

bool Fft::Transform(std::span<std::complex<double>> data, int sign) const
{
    if (data.size() != size_ || (sign != 1 && sign != -1)) {
        return false;
    }
    for (size_t i = 0; i < size_; ++i) {
        if (i < bitReverse_[i]) {
            std::swap(data[i], data[bitReverse_[i]]);
        }
    }
    const double s = static_cast<double>(sign);
    for (size_t half = 1; half < size_; half *= 2) {
        const size_t stride = size_ / (2 * half);
        for (size_t start = 0; start < size_; start += 2 * half) {
            for (size_t j = 0; j < half; ++j) {
                const std::complex<double> w = twiddles_[j * stride];
                const double wr = w.real();
                const double wi = s * w.imag();
                const std::complex<double> b = data[start + j + half];
                // Written out: std::complex's operator* takes a slow path for NaN checks.
                const std::complex<double> t(b.real() * wr - b.imag() * wi, b.real() * wi + b.imag() * wr);
                const std::complex<double> a = data[start + j];
                data[start + j] = {a.real() + t.real(), a.imag() + t.imag()};
                data[start + j + half] = {a.real() - t.real(), a.imag() - t.imag()};
            }
        }
    }
    return true;
}

bool Fft::TransformReal(std::span<const double> samples, std::span<std::complex<double>> spectrum) const
{
    if (samples.size() != size_ || spectrum.size() > size_) {
        return false;
    }
    std::vector<std::complex<double>> work(samples.begin(), samples.end());
    Transform(work, +1);
    std::copy_n(work.begin(), spectrum.size(), spectrum.begin());
    return true;
}

}  // namespace korvanta::sim
