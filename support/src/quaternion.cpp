// Sums are formed in long double (extended precision) and rounded once to float.
#include "kivo/support/quaternion.h"

namespace kivo {

namespace {

using Ext = long double;

// Writes the rotation into the upper 3x3 of rows of four floats.
void RotationRows(const Quaternion& q, float (*m)[4]) {
  if (q.w == 1.0f && q.x == 0.0f && q.y == 0.0f && q.z == 0.0f) {
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) m[i][j] = i == j ? 1.0f : 0.0f;
    return;
  }
  const Ext w = q.w, x = q.x, y = q.y, z = q.z;
  const Ext norm = w * w + x * x + y * y + z * z;
  const Ext s = norm == 0 ? Ext{1} : Ext{2} / norm;
  const Ext xx = x * x, yy = y * y, zz = z * z;
  const Ext xy = x * y, xz = x * z, yz = y * z;
  const Ext wx = w * x, wy = w * y, wz = w * z;
  m[0][0] = static_cast<float>(1 - s * (yy + zz));
  m[0][1] = static_cast<float>(s * (xy - wz));
  m[0][2] = static_cast<float>(s * (xz + wy));
  m[1][0] = static_cast<float>(s * (xy + wz));
  m[1][1] = static_cast<float>(1 - s * (xx + zz));
  m[1][2] = static_cast<float>(s * (yz - wx));
  m[2][0] = static_cast<float>(s * (xz - wy));
  m[2][1] = static_cast<float>(s * (yz + wx));
  m[2][2] = static_cast<float>(1 - s * (xx + yy));
}

}  // namespace

void QuatToMat3(const Quaternion& q, RTFMatrix3x3* out) { RotationRows(q, out->m); }

void QuatToMat4(const Quaternion& q, RTFMatrix4x4* out) {
  RotationRows(q, out->m);
  out->m[0][3] = out->m[1][3] = out->m[2][3] = 0.0f;
  out->m[3][0] = out->m[3][1] = out->m[3][2] = 0.0f;
  out->m[3][3] = 1.0f;
}

void QuatMultiply(const Quaternion& a, const Quaternion& b, Quaternion* out) {
  const Ext aw = a.w, ax = a.x, ay = a.y, az = a.z;
  const Ext bw = b.w, bx = b.x, by = b.y, bz = b.z;
  // Computed in full before anything is stored, so out may be a or b.
  const Quaternion result{
      static_cast<float>(aw * bw - ax * bx - ay * by - az * bz),
      static_cast<float>(aw * bx + ax * bw + ay * bz - az * by),
      static_cast<float>(aw * by - ax * bz + ay * bw + az * bx),
      static_cast<float>(aw * bz + ax * by - ay * bx + az * bw),
  };
  *out = result;
}

}  // namespace kivo
