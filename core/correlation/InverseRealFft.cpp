#include "core/correlation/InverseRealFft.h"

#include "core/correlation/FftButterflies.h"

#include <cmath>
#include <utility>

namespace korvanta {

namespace {

// The twiddle constants of the transform form this engine has always used.
constexpr double kTwoPi = 6.28318530717959;
constexpr double kPi = 3.141592653589793;

}  // namespace

bool InverseRealFft::IsAvailable(Kernel kernel)
{
    switch (kernel) {
    case Kernel::Sse2:
        return fft::HasSse2();
    case Kernel::Avx:
        return fft::HasAvx();
    default:
        return true;
    }
}

InverseRealFft::InverseRealFft(size_t n, Kernel kernel) : n_(n), kernel_(kernel)
{
    if (kernel_ == Kernel::Best) {
        kernel_ = fft::HasAvx() ? Kernel::Avx : fft::HasSse2() ? Kernel::Sse2 : Kernel::Scalar;
    } else if (!IsAvailable(kernel_)) {
        kernel_ = Kernel::Scalar;
    }
    // Bit-reversal exchanges over the n/2 complex values, in the order the classic loop finds them.
    const size_t nn = n / 2;
    const size_t floats = n;
    size_t j = 1;
    for (size_t i = 1; i < floats; i += 2) {
        if (j > i) {
            swaps_.emplace_back(static_cast<unsigned>((i - 1) / 2), static_cast<unsigned>((j - 1) / 2));
        }
        size_t m = nn;
        while (m >= 2 && j > m) {
            j -= m;
            m >>= 1;
        }
        j += m;
    }

    // Twiddles of the untangling pass (inverse direction: theta negated).
    {
        const double theta = -(kPi / static_cast<double>(n >> 1));
        const double wtemp = std::sin(0.5 * theta);
        const double wpr = -2.0 * wtemp * wtemp;
        const double wpi = std::sin(theta);
        double wr = 1.0 + wpr;
        double wi = wpi;
        for (size_t i = 2; i <= (n >> 2); ++i) {
            untangleWr_.push_back(wr);
            untangleWi_.push_back(wi);
            const double old = wr;
            wr = old * wpr - wi * wpi + wr;
            wi = wi * wpr + old * wpi + wi;
        }
    }

    // Twiddles of every butterfly stage, as the recurrence produces them stage by stage.
    for (size_t mmax = 2; floats > mmax; mmax <<= 1) {
        const double theta = -1 * (kTwoPi / static_cast<double>(mmax));
        const double wtemp = std::sin(0.5 * theta);
        const double wpr = -2.0 * wtemp * wtemp;
        const double wpi = std::sin(theta);
        double wr = 1.0;
        double wi = 0.0;
        for (size_t m = 1; m < mmax; m += 2) {
            stageTwiddles_.push_back(wr);
            stageTwiddles_.push_back(wi);
            const double old = wr;
            wr = old * wpr - wi * wpi + wr;
            wi = wi * wpr + old * wpi + wi;
        }
    }
}

void InverseRealFft::Transform(float* data) const
{
    Untangle(data);
    BitReverse(data);
    Butterflies(data);
}

void InverseRealFft::Untangle(float* data) const
{
    float* d = data - 1;  // the form is written 1-based
    const float c1 = 0.5f;
    const float c2 = 0.5f;
    const size_t np3 = n_ + 3;
    for (size_t i = 2; i <= (n_ >> 2); ++i) {
        const size_t i1 = i + i - 1;
        const size_t i2 = 1 + i1;
        const size_t i3 = np3 - i2;
        const size_t i4 = 1 + i3;
        const double wr = untangleWr_[i - 2];
        const double wi = untangleWi_[i - 2];
        const float h1r = c1 * (d[i1] + d[i3]);
        const float h1i = c1 * (d[i2] - d[i4]);
        const float h2r = -c2 * (d[i2] + d[i4]);
        const float h2i = c2 * (d[i1] - d[i3]);
        d[i1] = static_cast<float>(h1r + wr * h2r - wi * h2i);
        d[i2] = static_cast<float>(h1i + wr * h2i + wi * h2r);
        d[i3] = static_cast<float>(h1r - wr * h2r + wi * h2i);
        d[i4] = static_cast<float>(-h1i + wr * h2i + wi * h2r);
    }
    const float h1r = d[1];
    d[1] = c1 * (h1r + d[2]);
    d[2] = c1 * (h1r - d[2]);
}

void InverseRealFft::BitReverse(float* data) const
{
    for (const auto& [a, b] : swaps_) {
        std::swap(data[2 * a], data[2 * b]);
        std::swap(data[2 * a + 1], data[2 * b + 1]);
    }
}

void InverseRealFft::Butterflies(float* data) const
{
    // Every butterfly of a stage touches its own two values, so the order within a stage is free:
    // walking block by block keeps each stage's working set small without changing any rounding.
    const size_t floats = n_;
    const double* twiddles = stageTwiddles_.data();
    for (size_t mmax = 2; floats > mmax; mmax <<= 1) {
        if (kernel_ == Kernel::Avx && mmax >= 8) {
            fft::StageAvx(data, floats, mmax, twiddles);
        } else if (kernel_ != Kernel::Scalar && mmax >= 4) {
            fft::StageSse2(data, floats, mmax, twiddles);
        } else {
            fft::StageScalar(data, floats, mmax, twiddles);
        }
        twiddles += mmax;  // mmax/2 pairs
    }
}

const InverseRealFft& CorrelationFft()
{
    static const InverseRealFft fft(8192);
    return fft;
}

}  // namespace korvanta
