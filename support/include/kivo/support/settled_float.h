// Double arithmetic standing in for extended precision. The float math forms its sums in extended
// precision (x87 long double) and rounds them once to float. The same sums formed in double from
// the same float inputs (a float times a float is exact in double) land within a known small
// distance of the extended result. When no float rounding boundary lies within that distance of
// the double result, the double and the extended result round to the same float; SettledFloat
// tells, and for the rare results that lie too near a boundary the callers take the extended path
// (extended_math.h), so every float stays what extended precision gives, bit for bit.
//
// The distance allowed is kSettleMargin times a bound: the sum of the magnitudes of the rounded
// partial sums for a sum that may cancel (each rounding is off by at most 2^-53 of its result in
// double and 2^-64 in extended precision), or the magnitude of the result for a chain without
// cancellation (sums of squares, square roots, products). The chains here round at most six times,
// so 2^-48 covers both evaluations with room for the rounding of the bound and of value +- error.
#pragma once

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace kivo {

inline constexpr double kSettleMargin = 0x1p-48;

// The float that `value` rounds to, when every double within `error` of `value` rounds to that
// same float (bit for bit, so a zero keeps its sign) and `error` is finite: NaN and infinite
// values never settle. False leaves `out` alone.
inline bool SettledFloat(double value, double error, float* out) {
  const float low = static_cast<float>(value - error);
  // value + error, written so that an error of 0 keeps the sign of a zero value.
  const float high = static_cast<float>(-(-value - error));
  if (!(error < std::numeric_limits<double>::infinity()) ||
      std::bit_cast<uint32_t>(low) != std::bit_cast<uint32_t>(high))
    return false;
  *out = low;
  return true;
}

// ((a0 b0 + a1 b1) + a2 b2) + ... as extended precision rounds it to float, for float terms (a
// subtraction as a negated factor, an added float as a factor 1). `extended` evaluates the same
// expression in extended precision, for a sum that does not settle.
template <size_t kTerms, class Extended>
inline float SettledDot(const float (&a)[kTerms], const float (&b)[kTerms], Extended extended) {
  double sum = double{a[0]} * b[0];
  double bound = 0;
  for (size_t k = 1; k < kTerms; ++k) {
    sum += double{a[k]} * b[k];
    bound += std::fabs(sum);
  }
  float result;
  if (SettledFloat(sum, bound * kSettleMargin, &result)) return result;
  return extended();
}

}  // namespace kivo
