// Sums are formed in long double (extended precision) and rounded once to float.
#include "kivo/support/quaternion.h"

#include <cmath>

#include "kivo/support/scalar_math.h"
#include "kivo/support/vector.h"

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

void QuatConjugate(const Quaternion& q, Quaternion* out) { *out = Quaternion{q.w, -q.x, -q.y, -q.z}; }

void MatToQuat(const RTFMatrix4x4& matrix, Quaternion* q) {
  const float (*m)[4] = matrix.m;
  const Ext trace = Ext{m[0][0]} + m[1][1] + m[2][2];
  if (trace > 0) {
    const Ext root = std::sqrt(trace + 1);
    const Ext s = Ext{0.5} / root;
    *q = Quaternion{static_cast<float>(root / 2), static_cast<float>((Ext{m[2][1]} - m[1][2]) * s),
                    static_cast<float>((Ext{m[0][2]} - m[2][0]) * s), static_cast<float>((Ext{m[1][0]} - m[0][1]) * s)};
    return;
  }
  int i = 0;
  if (m[1][1] > m[0][0]) i = 1;
  if (m[2][2] > m[i][i]) i = 2;
  const int j = (i + 1) % 3, k = (j + 1) % 3;
  Ext s = std::sqrt(Ext{m[i][i]} - (Ext{m[j][j]} + m[k][k]) + 1);
  float v[3];
  v[i] = static_cast<float>(s / 2);
  if (s != 0) s = Ext{0.5} / s;
  q->w = static_cast<float>((Ext{m[k][j]} - m[j][k]) * s);
  v[j] = static_cast<float>((Ext{m[j][i]} + m[i][j]) * s);
  v[k] = static_cast<float>((Ext{m[k][i]} + m[i][k]) * s);
  q->x = v[0];
  q->y = v[1];
  q->z = v[2];
}

void QuatFromAxisAngle(float angle, RTFVector3D* axis, Quaternion* q) {
  Vec3Normalize(axis);
  float sineCosine[2];
  MathSinCos(angle / 2, sineCosine);
  *q = Quaternion{sineCosine[1], axis->x * sineCosine[0], axis->y * sineCosine[0], axis->z * sineCosine[0]};
}

void QuatToAxisAngle(const Quaternion& q, float* angle, RTFVector3D* axis) {
  constexpr float kSmallestSine = 1e-6f;
  *angle = 2 * MathAcos(q.w);
  const float s = MathSin(*angle / 2);
  if (s >= kSmallestSine) {
    axis->x = q.x / s;
    axis->y = q.y / s;
    axis->z = q.z / s;
  } else {
    axis->x = 1;
    axis->y = 0;
    axis->z = 0;
  }
}

void QuatFromTwoVectors(const RTFVector3D& a, const RTFVector3D& b, Quaternion* q) {
  RTFVector3D half{a.x + b.x, a.y + b.y, a.z + b.z, 0};
  Vec3Normalize(&half);
  RTFVector3D axis{};
  Vec3Cross(half, a, &axis);
  *q = Quaternion{Vec3Dot(a, half), axis.x, axis.y, axis.z};
}

}  // namespace kivo
