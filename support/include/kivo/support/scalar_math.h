// Float wrappers over the runtime's scalar functions (angles in radians) and the processor test
// that decides whether the 4-wide SSE paths may run.
#pragma once

#include "kivo/types.h"

namespace kivo {

// Evaluated in extended precision and rounded once to float.
float MathSin(float angle);
float MathCos(float angle);
float MathSqrt(float value);
// out[0] = sine, out[1] = cosine.
void MathSinCos(float angle, float out[2]);

// Evaluated in double precision.
float MathAsin(float value);
// The argument is held to [-1, 1] first, so that rounding just beyond it gives 0 or pi, not NaN.
float MathAcos(float value);
float MathAtan2(float y, float x);

// 1 when the processor reports SSE (CPUID leaf 1, EDX bit 25), else 0.
RTBool HasSSE();

}  // namespace kivo
