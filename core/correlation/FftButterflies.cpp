#include "core/correlation/FftButterflies.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define KORVANTA_X86 1
#endif

namespace korvanta::fft {

void StageScalar(float* data, size_t floats, size_t mmax, const double* twiddles)
{
    const size_t istep = mmax << 1;
    const size_t half = mmax >> 1;
    for (size_t block = 0; block < floats; block += istep) {
        float* lo = data + block;
        float* hi = lo + mmax;
        for (size_t t = 0; t < half; ++t) {
            const double wr = twiddles[2 * t];
            const double wi = twiddles[2 * t + 1];
            const float hr = hi[2 * t];
            const float him = hi[2 * t + 1];
            const float tempr = static_cast<float>(wr * hr - wi * him);
            const float tempi = static_cast<float>(wr * him + wi * hr);
            hi[2 * t] = lo[2 * t] - tempr;
            hi[2 * t + 1] = lo[2 * t + 1] - tempi;
            lo[2 * t] += tempr;
            lo[2 * t + 1] += tempi;
        }
    }
}

#if KORVANTA_X86

bool HasSse2()
{
    return true;  // part of every x86-64 processor
}

bool HasAvx()
{
    static const bool avx = __builtin_cpu_supports("avx");
    return avx;
}

// a - b is a + (-b) exactly, so flipping the sign of the real lane's product and adding
// reproduces the subtraction of the scalar form bit for bit.
void StageSse2(float* data, size_t floats, size_t mmax, const double* twiddles)
{
    const size_t istep = mmax << 1;
    const size_t half = mmax >> 1;
    const __m128d flipReal = _mm_set_pd(0.0, -0.0);
    for (size_t block = 0; block < floats; block += istep) {
        float* lo = data + block;
        float* hi = lo + mmax;
        for (size_t t = 0; t < half; t += 2) {
            const __m128 l = _mm_loadu_ps(lo + 2 * t);
            const __m128 h = _mm_loadu_ps(hi + 2 * t);
            const __m128d h0 = _mm_cvtps_pd(h);
            const __m128d h1 = _mm_cvtps_pd(_mm_movehl_ps(h, h));
            const __m128d w0 = _mm_loadu_pd(twiddles + 2 * t);
            const __m128d w1 = _mm_loadu_pd(twiddles + 2 * t + 2);
            const __m128d t0 =
                _mm_add_pd(_mm_mul_pd(h0, _mm_unpacklo_pd(w0, w0)),
                           _mm_xor_pd(_mm_mul_pd(_mm_shuffle_pd(h0, h0, 1), _mm_unpackhi_pd(w0, w0)), flipReal));
            const __m128d t1 =
                _mm_add_pd(_mm_mul_pd(h1, _mm_unpacklo_pd(w1, w1)),
                           _mm_xor_pd(_mm_mul_pd(_mm_shuffle_pd(h1, h1, 1), _mm_unpackhi_pd(w1, w1)), flipReal));
            const __m128 temp = _mm_movelh_ps(_mm_cvtpd_ps(t0), _mm_cvtpd_ps(t1));
            _mm_storeu_ps(hi + 2 * t, _mm_sub_ps(l, temp));
            _mm_storeu_ps(lo + 2 * t, _mm_add_ps(l, temp));
        }
    }
}

__attribute__((target("avx"))) void StageAvx(float* data, size_t floats, size_t mmax, const double* twiddles)
{
    const size_t istep = mmax << 1;
    const size_t half = mmax >> 1;
    const __m256d flipReal = _mm256_set_pd(0.0, -0.0, 0.0, -0.0);
    for (size_t block = 0; block < floats; block += istep) {
        float* lo = data + block;
        float* hi = lo + mmax;
        for (size_t t = 0; t < half; t += 4) {
            const __m256 l = _mm256_loadu_ps(lo + 2 * t);
            const __m256 h = _mm256_loadu_ps(hi + 2 * t);
            const __m256d h01 = _mm256_cvtps_pd(_mm256_castps256_ps128(h));
            const __m256d h23 = _mm256_cvtps_pd(_mm256_extractf128_ps(h, 1));
            const __m256d w01 = _mm256_loadu_pd(twiddles + 2 * t);
            const __m256d w23 = _mm256_loadu_pd(twiddles + 2 * t + 4);
            const __m256d t01 = _mm256_add_pd(
                _mm256_mul_pd(h01, _mm256_unpacklo_pd(w01, w01)),
                _mm256_xor_pd(_mm256_mul_pd(_mm256_permute_pd(h01, 0x5), _mm256_unpackhi_pd(w01, w01)), flipReal));
            const __m256d t23 = _mm256_add_pd(
                _mm256_mul_pd(h23, _mm256_unpacklo_pd(w23, w23)),
                _mm256_xor_pd(_mm256_mul_pd(_mm256_permute_pd(h23, 0x5), _mm256_unpackhi_pd(w23, w23)), flipReal));
            const __m256 temp =
                _mm256_insertf128_ps(_mm256_castps128_ps256(_mm256_cvtpd_ps(t01)), _mm256_cvtpd_ps(t23), 1);
            _mm256_storeu_ps(hi + 2 * t, _mm256_sub_ps(l, temp));
            _mm256_storeu_ps(lo + 2 * t, _mm256_add_ps(l, temp));
        }
    }
}

#else

bool HasSse2()
{
    return false;
}
bool HasAvx()
{
    return false;
}
void StageSse2(float* data, size_t floats, size_t mmax, const double* twiddles)
{
    StageScalar(data, floats, mmax, twiddles);
}
void StageAvx(float* data, size_t floats, size_t mmax, const double* twiddles)
{
    StageScalar(data, floats, mmax, twiddles);
}

#endif

}  // namespace korvanta::fft
