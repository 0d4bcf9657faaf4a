#pragma once

#include <cstddef>

namespace korvanta::fft {

// One radix-2 stage of the complex FFT over `floats` interleaved values: blocks of 2*mmax floats,
// butterfly t of a block pairs complex t of its lower half with complex t of its upper half and
// uses twiddle pair t of `twiddles` (wr, wi in double). Every kernel rounds exactly as
//   tempr = float(wr*hr - wi*hi); tempi = float(wr*hi + wi*hr); hi = lo - temp; lo += temp.
void StageScalar(float* data, size_t floats, size_t mmax, const double* twiddles);
void StageSse2(float* data, size_t floats, size_t mmax, const double* twiddles);  // mmax >= 4
void StageAvx(float* data, size_t floats, size_t mmax, const double* twiddles);   // mmax >= 8

bool HasSse2();
bool HasAvx();

}  // namespace korvanta::fft
