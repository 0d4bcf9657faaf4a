#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <random>
#include <vector>

#include <fftw3.h>

#include "core/correlation/InverseRealFft.h"
#include "tests/support/NrReferenceFft.h"

namespace korvanta {
namespace {

std::vector<float> RandomSpectrum(size_t n, uint32_t seed, size_t usedFloats)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> value(-1000.0f, 1000.0f);
    std::vector<float> data(n, 0.0f);
    for (size_t i = 2; i < usedFloats; ++i) {
        data[i] = value(rng);
    }
    return data;
}

// Our output is half the unnormalised inverse of the conjugated spectrum, extended Hermitian.
std::vector<double> DirectInverse(const std::vector<float>& packed)
{
    const size_t n = packed.size();
    std::vector<std::complex<double>> bins(n);
    bins[0] = packed[0];
    bins[n / 2] = packed[1];
    for (size_t k = 1; k < n / 2; ++k) {
        bins[k] = std::conj(std::complex<double>(packed[2 * k], packed[2 * k + 1]));
        bins[n - k] = std::conj(bins[k]);
    }
    std::vector<double> out(n);
    for (size_t j = 0; j < n; ++j) {
        std::complex<double> sum = 0.0;
        for (size_t k = 0; k < n; ++k) {
            sum += bins[k] * std::polar(1.0, 2.0 * M_PI * static_cast<double>(j * k % n) / static_cast<double>(n));
        }
        out[j] = 0.5 * sum.real();
    }
    return out;
}

TEST(InverseRealFft, EveryKernelAgreesBitForBitWithTheClassicLoop)
{
    using Kernel = InverseRealFft::Kernel;
    for (const Kernel kernel : {Kernel::Scalar, Kernel::Sse2, Kernel::Avx, Kernel::Best}) {
        if (!InverseRealFft::IsAvailable(kernel)) {
            continue;
        }
        for (const size_t n : {4u, 8u, 16u, 64u, 1024u, 8192u}) {
            for (const size_t used : {n, n / 4}) {
                std::vector<float> ours = RandomSpectrum(n, static_cast<uint32_t>(n + used), used);
                std::vector<float> reference = ours;
                InverseRealFft(n, kernel).Transform(ours.data());
                test::ReferenceInverseRealFft(reference.data() - 1, n);
                ASSERT_EQ(0, std::memcmp(ours.data(), reference.data(), n * sizeof(float)))
                    << "n = " << n << ", kernel " << static_cast<int>(kernel);
            }
        }
    }
}

TEST(InverseRealFft, MatchesDirectTransformAtSmallSizes)
{
    for (const size_t n : {4u, 16u, 128u}) {
        std::vector<float> data = RandomSpectrum(n, 7, n);
        data[0] = 3.0f;
        data[1] = -2.0f;
        const std::vector<double> expected = DirectInverse(data);
        InverseRealFft(n).Transform(data.data());
        for (size_t j = 0; j < n; ++j) {
            EXPECT_NEAR(data[j], expected[j], 1e-3 * n) << "n = " << n << ", j = " << j;
        }
    }
}

TEST(InverseRealFft, MatchesFftwOnTheEngineSize)
{
    constexpr int n = 8192;
    std::vector<float> data = RandomSpectrum(n, 99, 2048);
    std::vector<fftwf_complex> in(n / 2 + 1);
    for (int k = 0; k <= n / 2; ++k) {
        in[k][0] = k == 0 ? data[0] : k == n / 2 ? data[1] : data[2 * k];
        in[k][1] = k == 0 || k == n / 2 ? 0.0f : -data[2 * k + 1];
    }
    std::vector<float> out(n);
    fftwf_plan plan = fftwf_plan_dft_c2r_1d(n, in.data(), out.data(), FFTW_ESTIMATE);
    fftwf_execute(plan);
    fftwf_destroy_plan(plan);

    CorrelationFft().Transform(data.data());
    float peak = 0.0f;
    for (float v : out)
        peak = std::max(peak, std::fabs(v));
    for (int j = 0; j < n; ++j) {
        ASSERT_NEAR(2.0f * data[j], out[j], 2e-5f * peak) << j;
    }
}

TEST(InverseRealFft, ToneInEveryBinGivesItsCosine)
{
    constexpr size_t n = 1024;
    const InverseRealFft fft(n);
    for (size_t k = 1; k < n / 2; ++k) {
        std::vector<float> data(n, 0.0f);
        data[2 * k] = 1.0f;
        fft.Transform(data.data());
        for (size_t j = 0; j < n; j += 7) {
            const double expected = std::cos(2.0 * M_PI * static_cast<double>(j * k % n) / n);
            ASSERT_NEAR(data[j], expected, 1e-4) << "bin " << k << ", sample " << j;
        }
    }
}

TEST(InverseRealFft, ImpulseAndDc)
{
    constexpr size_t n = 256;
    const InverseRealFft fft(n);

    std::vector<float> dc(n, 0.0f);
    dc[0] = 2.0f;  // DC only: a constant of half its value
    fft.Transform(dc.data());
    for (float v : dc)
        EXPECT_FLOAT_EQ(v, 1.0f);

    std::vector<float> flat(n, 0.0f);  // every bin 1: an impulse of n/2 at sample 0
    flat[0] = 1.0f;
    flat[1] = 1.0f;
    for (size_t k = 1; k < n / 2; ++k)
        flat[2 * k] = 1.0f;
    fft.Transform(flat.data());
    EXPECT_NEAR(flat[0], n / 2.0, 1e-3);
    for (size_t j = 1; j < n; ++j)
        EXPECT_NEAR(flat[j], 0.0, 1e-3) << j;
}

}  // namespace
}  // namespace korvanta
