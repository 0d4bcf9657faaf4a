#include <gtest/gtest.h>

#include <fftw3.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include "sim/Fft.h"

namespace korvanta::sim {
namespace {

TEST(FftTest, MatchesTheReferenceTransformWithThePlusSign)
{
    const Fft fft(12);
    ASSERT_EQ(fft.Size(), 4096u);
    std::mt19937 random(3);
    std::uniform_real_distribution<double> uniform(-1000.0, 1000.0);
    std::vector<double> samples(4096);
    std::vector<fftwf_complex> in(4096), out(4096);
    for (size_t n = 0; n < 4096; ++n) {
        samples[n] = uniform(random);
        in[n][0] = static_cast<float>(samples[n]);
        in[n][1] = 0.0f;
    }
    std::vector<std::complex<double>> spectrum(4096);
    ASSERT_TRUE(fft.TransformReal(samples, spectrum));
    // The reference's backward transform is the unscaled one with exp(+2*pi*i*k*n/N).
    fftwf_plan plan = fftwf_plan_dft_1d(4096, in.data(), out.data(), FFTW_BACKWARD, FFTW_ESTIMATE);
    fftwf_execute(plan);
    fftwf_destroy_plan(plan);
    double largest = 0.0, worst = 0.0;
    for (size_t k = 0; k < 4096; ++k) {
        largest = std::max(largest, std::abs(spectrum[k]));
        worst = std::max(worst, std::abs(spectrum[k] - std::complex<double>(out[k][0], out[k][1])));
    }
    EXPECT_LT(worst, 1e-5 * largest);

    std::vector<std::complex<double>> tooLong(4097);
    EXPECT_FALSE(fft.TransformReal(samples, tooLong));
    EXPECT_FALSE(fft.TransformReal(std::span(samples).first(4000), spectrum));
    EXPECT_FALSE(fft.Transform(spectrum, 0));
}

TEST(FftTest, PutsEachToneInItsBinAndTheMinusSignUndoesIt)
{
    const Fft fft(12);
    std::vector<std::complex<double>> data(4096);
    for (size_t tone = 1; tone < 4096; tone += 73) {
        // cos + 2 sin: N/2 real at the tone, and +N imaginary from the sine (the + sign).
        for (size_t n = 0; n < 4096; ++n) {
            const double angle = 2.0 * std::numbers::pi * static_cast<double>((tone * n) % 4096) / 4096.0;
            data[n] = std::cos(angle) + 2.0 * std::sin(angle);
        }
        const auto original = data;
        ASSERT_TRUE(fft.Transform(data, +1));
        for (size_t k = 0; k < 4096; ++k) {
            const std::complex<double> expected = k == tone          ? std::complex<double>(2048.0, 4096.0)
                                                  : k == 4096 - tone ? std::complex<double>(2048.0, -4096.0)
                                                                     : 0.0;
            ASSERT_LT(std::abs(data[k] - expected), 1e-8) << "tone " << tone << " bin " << k;
        }
        ASSERT_TRUE(fft.Transform(data, -1));
        for (size_t n = 0; n < 4096; ++n) {
            ASSERT_LT(std::abs(data[n] / 4096.0 - original[n]), 1e-12);
        }
    }
}

}  // namespace
}  // namespace korvanta::sim
