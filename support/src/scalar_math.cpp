#include "kivo/support/scalar_math.h"

#include <cpuid.h>

#include <algorithm>
#include <cmath>

namespace kivo {

float MathSin(float angle) { return static_cast<float>(std::sin(static_cast<long double>(angle))); }

float MathCos(float angle) { return static_cast<float>(std::cos(static_cast<long double>(angle))); }

float MathSqrt(float value) { return static_cast<float>(std::sqrt(static_cast<long double>(value))); }

void MathSinCos(float angle, float out[2]) {
  out[0] = MathSin(angle);
  out[1] = MathCos(angle);
}

float MathAsin(float value) { return static_cast<float>(std::asin(static_cast<double>(value))); }

float MathAcos(float value) { return static_cast<float>(std::acos(std::clamp(static_cast<double>(value), -1.0, 1.0))); }

float MathAtan2(float y, float x) {
  return static_cast<float>(std::atan2(static_cast<double>(y), static_cast<double>(x)));
}

RTBool HasSSE() {
  unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return 0;
  return (edx >> 25) & 1u;
}

}  // namespace kivo
