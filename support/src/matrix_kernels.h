// The matrix products and point transforms behind matrix.h (which declares the 4x4 entry points
// and picks one), in two versions that give the same floats: sums in long double (extended
// precision), as the system forms them, and AVX2 that forms four sums at once in double and checks
// that each settles on the float extended precision gives (avx2_lanes.h), passing a matrix or
// point with any unsettled sum to the extended version. In scalar code the x87 unit's extended
// sums are faster than double ones with that check, so the extended version is also what runs
// where the processor has no AVX2.
#pragma once

#include "kivo/support/matrix.h"

namespace kivo::matrix_kernels {

// out = a x b over the size x size part of rows of four floats; out may be a or b.
void MultiplyExtended(const float (*a)[4], const float (*b)[4], int size, float (*out)[4]);
// out.xyz = p.xyz x the upper 3x3 of m, plus row 3 when translating; out.w = 1. out may be p.
void TransformExtended(const RTFMatrix4x4& m, const RTFVector3D& p, bool translate, RTFVector3D* out);

}  // namespace kivo::matrix_kernels
