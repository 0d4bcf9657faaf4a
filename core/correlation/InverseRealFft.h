#pragma once

#include <cstddef>
#include <vector>

#include "core/correlation/SegmentTransform.h"

namespace korvanta {

// Inverse real FFT in the classic real-input form: the spectrum is untangled in place and then
// run through an in-place radix-2 complex FFT with sign -1. The data are single precision; the
// twiddle factors follow the double-precision recurrence of that form exactly, but are computed
// once per size instead of once per call. The result is not scaled: it is n/2 times the usual
// inverse transform.
//
// Layout (0-based): data[0] and data[1] hold the real parts of the DC and Nyquist components,
// data[2k], data[2k+1] the real and imaginary part of bin k for k = 1 .. n/2-1.
// The object is immutable after construction and may be shared between threads.
class InverseRealFft final : public ISegmentTransform {
public:
    // How the butterflies are computed. Every kernel gives bit-identical results: the vector
    // kernels do the same double-precision products and sums per lane, never fused.
    enum class Kernel { Scalar, Sse2, Avx, Best };

    explicit InverseRealFft(size_t n, Kernel kernel = Kernel::Best);  // n real points, a power of two >= 4

    // Kernels this machine can run (always Scalar).
    static bool IsAvailable(Kernel kernel);
    Kernel ActiveKernel() const { return kernel_; }

    size_t Size() const { return n_; }
    void Transform(float* data) const override;

private:
    void Untangle(float* data) const;
    void BitReverse(float* data) const;
    void Butterflies(float* data) const;

    size_t n_;
    Kernel kernel_;
    std::vector<std::pair<unsigned, unsigned>> swaps_;  // bit-reversal exchanges, complex indices
    std::vector<double> untangleWr_, untangleWi_;       // one per untangling step
    std::vector<double> stageTwiddles_;                 // per stage mmax/2 pairs (wr, wi), stages back to back
};

// The engine's one shared transform of 8192 points.
const InverseRealFft& CorrelationFft();

}  // namespace korvanta
