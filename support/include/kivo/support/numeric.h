// The one conversion from a floating-point value to an integer. Truncates toward zero like a C
// cast, but is defined for every input: NaN gives 0 and a value beyond the target's range gives
// the nearest end of that range.
#pragma once

#include <cmath>
#include <concepts>
#include <limits>

namespace kivo {

template <std::integral Int>
Int FloatToInt(long double value) {
  using Limits = std::numeric_limits<Int>;
  if (std::isnan(value)) return 0;
  const long double whole = std::trunc(value);
  // Both ends are powers of two (or 0), exact in long double.
  const long double low = static_cast<long double>(Limits::min());
  const long double highExclusive = std::ldexp(1.0L, Limits::digits);
  if (whole < low) return Limits::min();
  if (whole >= highExclusive) return Limits::max();
  return static_cast<Int>(whole);
}

}  // namespace kivo
