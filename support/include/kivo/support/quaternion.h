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

// Hamilton product a x b. out may be a or b.
void QuatMultiply(const Quaternion& a, const Quaternion& b, Quaternion* out);

}  // namespace kivo
