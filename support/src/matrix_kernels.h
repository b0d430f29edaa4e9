// The matrix products and point transforms behind matrix.h, in two versions that give the same
// floats: portable double arithmetic (SSE2 on x86-64) that settles each entry on its own, and AVX2
// that forms four entries at once and passes a matrix or point with any unsettled entry to the
// portable version. matrix.cpp picks the AVX2 version once when the processor has it.
#pragma once

#include "kivo/support/math_types.h"

namespace kivo::matrix_kernels {

// out = a x b over the size x size part of rows of four floats; out may be a or b.
void MultiplyPortable(const float (*a)[4], const float (*b)[4], int size, float (*out)[4]);
// out.xyz = p.xyz x the upper 3x3 of m, plus row 3 when translating; out.w = 1. out may be p.
void TransformPortable(const RTFMatrix4x4& m, const RTFVector3D& p, bool translate, RTFVector3D* out);

// Only where ProcessorHasAvx2().
void Mat4MultiplyAvx2(const RTFMatrix4x4& a, const RTFMatrix4x4& b, RTFMatrix4x4* out);
void TransformAvx2(const RTFMatrix4x4& m, const RTFVector3D& p, bool translate, RTFVector3D* out);

}  // namespace kivo::matrix_kernels
