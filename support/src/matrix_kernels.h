// The matrix products and point transforms behind matrix.h, in two versions that give the same
// floats: sums in long double (extended precision), as the system forms them, and AVX2 that forms
// four sums at once in double and checks that each settles on the float extended precision gives
// (avx2_lanes.h), passing a matrix or point with any unsettled sum to the extended version. In
// scalar code the x87 unit's extended sums are faster than double ones with that check, so the
// extended version is also what runs where the processor has no AVX2.
#pragma once

#include "kivo/support/math_types.h"

namespace kivo::matrix_kernels {

// out = a x b over the size x size part of rows of four floats; out may be a or b.
void MultiplyExtended(const float (*a)[4], const float (*b)[4], int size, float (*out)[4]);
// out.xyz = p.xyz x the upper 3x3 of m, plus row 3 when translating; out.w = 1. out may be p.
void TransformExtended(const RTFMatrix4x4& m, const RTFVector3D& p, bool translate, RTFVector3D* out);

// Only where ProcessorHasAvx2().
void Mat4MultiplyAvx2(const RTFMatrix4x4& a, const RTFMatrix4x4& b, RTFMatrix4x4* out);
void TransformPointAvx2(const RTFMatrix4x4& m, const RTFVector3D& p, RTFVector3D* out);
void RotateVectorAvx2(const RTFMatrix4x4& m, const RTFVector3D& p, RTFVector3D* out);

// The versions of Mat4Multiply, Mat4TransformPoint and Mat4RotateVector this processor runs.
struct MatrixKernels {
  void (*multiply)(const RTFMatrix4x4& a, const RTFMatrix4x4& b, RTFMatrix4x4* out);
  void (*transformPoint)(const RTFMatrix4x4& m, const RTFVector3D& point, RTFVector3D* out);
  void (*rotateVector)(const RTFMatrix4x4& m, const RTFVector3D& vector, RTFVector3D* out);
};
// AVX2 where the processor has it, else extended; chosen once.
const MatrixKernels& ChosenKernels();

}  // namespace kivo::matrix_kernels
