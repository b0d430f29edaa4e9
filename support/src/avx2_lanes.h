// Four doubles in an AVX2 register, and the check that lets them stand in for extended precision.
// For functions with the avx2 and fma targets only.
//
// The float math forms its sums in extended precision (x87 long double) and rounds them once to
// float. The same sums formed in double from the same float inputs (a float times a float is exact
// in double) land within a known small distance of the extended result. When no float rounding
// boundary lies within that distance of the double result, both round to the same float; where one
// does, the kernels take the extended path instead, so every float stays what extended precision
// gives, bit for bit.
//
// The distance allowed is kSettleMargin times a bound: the sum of the magnitudes of the rounded
// partial sums for a sum that may cancel (each rounding is off by at most 2^-53 of its result in
// double and 2^-64 in extended precision), or the magnitude of the result for a chain without
// cancellation (a single rounding, a product). The chains here round at most four times, so 2^-48
// covers both evaluations with room for the rounding of the bound and of value +- error.
#pragma once

#include <immintrin.h>

namespace kivo::avx2 {

inline constexpr double kSettleMargin = 0x1p-48;

#define KIVO_AVX2_INLINE __attribute__((target("avx2,fma"), always_inline)) inline

// Four floats from memory, widened to doubles.
KIVO_AVX2_INLINE __m256d Widen(const float* four) { return _mm256_cvtps_pd(_mm_loadu_ps(four)); }

KIVO_AVX2_INLINE __m256d Magnitude(__m256d v) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), v); }

// The floats of `value`, and all ones in each lane of `settled` whose float rounding is the same,
// bit for bit (so a zero keeps its sign), everywhere within kSettleMargin x bound of its value;
// other lanes of `settled` are cleared, none set. An infinite value makes the two ends differ. A
// NaN value settles on a NaN: both evaluations meet a NaN, an infinity less an infinity or a zero
// times an infinity for the same inputs (no product of floats and no sum of four overflows a
// double), and a NaN need only stay a NaN. `negativeZero` says whether a value may be -0: a sum
// that starts from +0 never is, which saves keeping the sign of a zero at the high end.
KIVO_AVX2_INLINE __m128 SettledFloats(__m256d value, __m256d bound, __m128i* settled, bool negativeZero = true) {
  // bound x kSettleMargin is exact (a power of two times a double far above the underflow), so
  // each end rounds once, as value -+ error would.
  const __m256d margin = _mm256_set1_pd(kSettleMargin);
  const __m128 low = _mm256_cvtpd_ps(_mm256_fnmadd_pd(bound, margin, value));
  // value + error, keeping the sign of a zero value when the error is 0: -(-value - error).
  const __m256d highEnd = negativeZero ? _mm256_xor_pd(_mm256_fnmsub_pd(bound, margin, value), _mm256_set1_pd(-0.0))
                                       : _mm256_fmadd_pd(bound, margin, value);
  const __m128 high = _mm256_cvtpd_ps(highEnd);
  *settled = _mm_and_si128(*settled, _mm_cmpeq_epi32(_mm_castps_si128(low), _mm_castps_si128(high)));
  return low;
}

#undef KIVO_AVX2_INLINE

}  // namespace kivo::avx2
