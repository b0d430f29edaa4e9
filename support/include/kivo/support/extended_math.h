// The float math evaluated in extended precision (x87 long double) and rounded once to float: the
// results the double fast paths reproduce, and the path they take for a result that lies too near a
// float rounding boundary (settled_float.h). Each evaluates its expression as written, left to right.
#pragma once

#include "kivo/support/math_types.h"

namespace kivo {

// a.x b.x + a.y b.y + a.z b.z
float ExtendedDot(const RTFVector3D& a, const RTFVector3D& b);
// a1 b1 - a2 b2, one component of a cross product.
float ExtendedCrossTerm(float a1, float b1, float a2, float b2);
// dot(normal, point) - d
float ExtendedPlaneDistance(const Plane& plane, const RTFVector3D& point);
// p.x m[0][column] + p.y m[1][column] + p.z m[2][column], then + m[3][column] when translating.
float ExtendedTransformTerm(const RTFMatrix4x4& m, const RTFVector3D& p, int column, bool translate);
// Entry `column` of a matrix product: the sum of row[k] b[k][column] over k < size, started from
// zero (so a sum of negative zeros is +0).
float ExtendedMatrixEntry(const float* row, const float (*b)[4], int column, int size);
// The Hamilton product a x b.
Quaternion ExtendedQuatProduct(const Quaternion& a, const Quaternion& b);

float ExtendedLength(const RTFVector3D& v);
float ExtendedDistance(const RTFVector3D& a, const RTFVector3D& b);
float ExtendedDistanceSquared(const RTFVector3D& a, const RTFVector3D& b);

// value x (1 / divisor), the reciprocal rounded first.
float ExtendedScale(float value, float divisor);
// Whether a + b, rounded, is at most limit.
bool ExtendedSumAtMost(float a, float b, float limit);

}  // namespace kivo
