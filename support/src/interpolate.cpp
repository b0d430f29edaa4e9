// Evaluated in long double (extended precision) and rounded once to float.
#include "kivo/support/interpolate.h"

#include <cmath>

namespace kivo {

namespace {

using Ext = long double;

// pi to eight decimals, held as a double, as the blend has always used it.
constexpr double kBlendPi = 3.14159265;

Ext Hermite(Ext x) { return 3 * x * x - 2 * x * x * x; }

}  // namespace

float Lerp(float a, float b, float t) { return static_cast<float>(a + (Ext{b} - a) * t); }

float HermiteBlend(float a, float b, float t) {
  return static_cast<float>(a * Hermite(1 - Ext{t}) + b * Hermite(t));
}

float CosineInterpolate(float a, float b, float t) {
  return static_cast<float>(a + (Ext{b} - a) * (1 - std::cos(Ext{t} * kBlendPi)) * 0.5L);
}

}  // namespace kivo
