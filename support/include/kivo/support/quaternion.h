// Quaternions {w, x, y, z} and their rotation matrices (row-vector convention).
#pragma once

#include "kivo/support/math_types.h"

namespace kivo {

// Rotation matrix of q scaled by 2 / |q|^2, so q need not be unit length; exactly (1, 0, 0, 0)
// gives the identity and a zero quaternion uses the scale 1. The fourth float of each row of the
// 3x3 form is left alone.
void QuatToMat3(const Quaternion& q, RTFMatrix3x3* out);
// The same rotation in the upper 3x3, right column 0 and row 3 = (0, 0, 0, 1).
void QuatToMat4(const Quaternion& q, RTFMatrix4x4* out);

// Hamilton product a x b. out may be a or b. The matrix of a x b applies a's rotation first.
void QuatMultiply(const Quaternion& a, const Quaternion& b, Quaternion* out);
// w kept, x, y and z negated. out may be q.
void QuatConjugate(const Quaternion& q, Quaternion* out);

// The quaternion of the rotation in the upper 3x3 of m. With the trace t above 0: w = sqrt(t + 1)
// / 2 and x, y, z from the off-diagonal differences. Otherwise the largest diagonal entry i (the
// lower index on a tie) leads: q[i] = sqrt(m[i][i] - m[j][j] - m[k][k] + 1) / 2 for j, k the next
// two indices, and w, q[j], q[k] come from the off-diagonal entries (all 0 when that root is 0).
void MatToQuat(const RTFMatrix4x4& m, Quaternion* q);

// Normalises the axis in place (Vec3Normalize), then w = cos(angle / 2) and x, y, z the axis
// times sin(angle / 2).
void QuatFromAxisAngle(float angle, RTFVector3D* axis, Quaternion* q);
// angle = 2 acos(w) (from 0 to 2 pi); axis = (x, y, z) / sin(angle / 2), or (1, 0, 0) when that
// sine is below 1e-6. The fourth float of the axis is kept.
void QuatToAxisAngle(const Quaternion& q, float* angle, RTFVector3D* axis);
// The rotation that turns a toward b, as the half-way method builds it: h = a + b normalised,
// w = dot(a, h), (x, y, z) = cross(h, a). Neither input is normalised, so the result has the
// length of a (a unit a gives a unit quaternion); opposite vectors give the zero quaternion.
void QuatFromTwoVectors(const RTFVector3D& a, const RTFVector3D& b, Quaternion* q);

}  // namespace kivo
