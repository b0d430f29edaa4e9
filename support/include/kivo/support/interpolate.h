// Scalar blends for animation and doors.
#pragma once

namespace kivo {

// a + (b - a) t.
float Lerp(float a, float b, float t);
// a h(1 - t) + b h(t) with h(x) = 3x^2 - 2x^3.
float HermiteBlend(float a, float b, float t);
// a + (b - a)(1 - cos(t pi)) / 2.
float CosineInterpolate(float a, float b, float t);

}  // namespace kivo
