#pragma once

#include <complex>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace korvanta::sim {

// Complex FFT of one power-of-two size in double precision, unscaled in both directions:
// X(k) = sum over n of x(n) * exp(sign * 2*pi*i*k*n / N). The outstations use sign +1.
// Tables are built once; Transform works in place without allocating, and both calls are safe
// from several threads on different data.
class Fft {
public:
    // Size is 2^log2Size; log2Size is clamped to 1..24.
    explicit Fft(int log2Size);

    size_t Size() const { return size_; }

    // In-place transform; false (data untouched) when data is not exactly Size() long
    // or sign is not +1 or -1.
    bool Transform(std::span<std::complex<double>> data, int sign) const;

    // Spectrum of real samples with the + sign (through a scratch copy): spectrum[k] for
    // k < spectrum.size() (at most Size()). False when samples is not Size() long or spectrum is
    // too long.
    bool TransformReal(std::span<const double> samples, std::span<std::complex<double>> spectrum) const;

private:
    size_t size_;
    std::vector<std::complex<double>> twiddles_;  // exp(+2*pi*i*j/N), j < N/2
    std::vector<uint32_t> bitReverse_;
};

}  // namespace korvanta::sim
