// Four doubles in an AVX2 register, and SettledFloat (settled_float.h) lane by lane. For functions
// with the avx2 target only.
#pragma once

#include <immintrin.h>

#include "kivo/support/settled_float.h"

namespace kivo::avx2 {

#define KIVO_AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline

// Four floats from memory, widened to doubles.
KIVO_AVX2_INLINE __m256d Widen(const float* four) { return _mm256_cvtps_pd(_mm_loadu_ps(four)); }

KIVO_AVX2_INLINE __m256d Magnitude(__m256d v) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), v); }

// One bit per lane (lane 0 the lowest) whose value settles with the error kSettleMargin x bound.
// A NaN value or bound makes the low end NaN; an infinite value makes the two ends differ.
KIVO_AVX2_INLINE int SettledLanes(__m256d value, __m256d bound) {
  const __m256d sign = _mm256_set1_pd(-0.0);
  const __m256d error = _mm256_mul_pd(bound, _mm256_set1_pd(kSettleMargin));
  const __m128 low = _mm256_cvtpd_ps(_mm256_sub_pd(value, error));
  // value + error, keeping the sign of a zero value when the error is 0.
  const __m128 high = _mm256_cvtpd_ps(_mm256_xor_pd(_mm256_sub_pd(_mm256_xor_pd(value, sign), error), sign));
  const __m128 same = _mm_castsi128_ps(_mm_cmpeq_epi32(_mm_castps_si128(low), _mm_castps_si128(high)));
  return _mm_movemask_ps(_mm_and_ps(same, _mm_cmpord_ps(low, low)));
}

#undef KIVO_AVX2_INLINE

}  // namespace kivo::avx2
