#include "kivo/support/matrix.h"

#include <cmath>
#include <utility>

#include "kivo/support/scalar_math.h"
#include "kivo/support/vector.h"
#include "matrix_kernels.h"

namespace kivo {

namespace {

using Ext = long double;

void Identity3(float (*rows)[4]) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) rows[i][j] = i == j ? 1.0f : 0.0f;
}

void ToEuler(const float (*m)[4], float* ax, float* ay, float* az) {
  if (m[2][0] >= 1.0f) {
    *ax = MathAtan2(m[0][1], m[1][1]);
    *ay = kHalfPi;
    *az = 0.0f;
  } else if (m[2][0] <= -1.0f) {
    *ax = -MathAtan2(m[0][1], m[1][1]);
    *ay = -kHalfPi;
    *az = 0.0f;
  } else {
    *ax = MathAtan2(-m[2][1], m[2][2]);
    *ay = MathAsin(m[2][0]);
    *az = MathAtan2(-m[1][0], m[0][0]);
  }
}

}  // namespace

void Mat3Identity(RTFMatrix3x3* m) { Identity3(m->m); }

void Mat4Identity(RTFMatrix4x4* m) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) m->m[i][j] = i == j ? 1.0f : 0.0f;
}

void Mat3Multiply(const RTFMatrix3x3& a, const RTFMatrix3x3& b, RTFMatrix3x3* out) {
  matrix_kernels::MultiplyExtended(a.m, b.m, 3, out->m);
}

bool Mat4Inverse(const RTFMatrix4x4& m, RTFMatrix4x4* out) {
  Ext a[4][8];
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      a[i][j] = m.m[i][j];
      a[i][j + 4] = i == j ? 1 : 0;
    }
  for (int column = 0; column < 4; ++column) {
    int pivot = column;
    for (int row = column + 1; row < 4; ++row)
      if (std::fabs(a[row][column]) > std::fabs(a[pivot][column])) pivot = row;
    if (a[pivot][column] == 0) return false;
    for (int j = 0; j < 8; ++j) std::swap(a[column][j], a[pivot][j]);
    const Ext scale = 1 / a[column][column];
    for (int j = 0; j < 8; ++j) a[column][j] *= scale;
    for (int row = 0; row < 4; ++row) {
      if (row == column || a[row][column] == 0) continue;
      const Ext factor = a[row][column];
      for (int j = 0; j < 8; ++j) a[row][j] -= factor * a[column][j];
    }
  }
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) out->m[i][j] = static_cast<float>(a[i][j + 4]);
  return true;
}

void Mat4RotationX(RTFMatrix4x4* m, float angle) {
  const float s = MathSin(angle), c = MathCos(angle);
  Mat4Identity(m);
  m->m[1][1] = c;
  m->m[1][2] = s;
  m->m[2][1] = -s;
  m->m[2][2] = c;
}

void Mat4RotationY(RTFMatrix4x4* m, float angle) {
  const float s = MathSin(angle), c = MathCos(angle);
  Mat4Identity(m);
  m->m[0][0] = c;
  m->m[0][2] = -s;
  m->m[2][0] = s;
  m->m[2][2] = c;
}

void Mat4SetTranslation(RTFMatrix4x4* m, const RTFVector3D& translation) {
  m->m[3][0] = translation.x;
  m->m[3][1] = translation.y;
  m->m[3][2] = translation.z;
  m->m[3][3] = 1.0f;
}

void Mat4GetTranslation(const RTFMatrix4x4& m, RTFVector3D* translation) {
  translation->x = m.m[3][0];
  translation->y = m.m[3][1];
  translation->z = m.m[3][2];
}

void Mat4SetRotation(RTFMatrix4x4* m, const RTFMatrix3x3& rotation) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m->m[i][j] = rotation.m[i][j];
}

void Mat4InvertRigid(RTFMatrix4x4* m) {
  float (*r)[4] = m->m;
  for (int i = 0; i < 3; ++i)
    for (int j = i + 1; j < 3; ++j) std::swap(r[i][j], r[j][i]);
  float moved[3];
  for (int j = 0; j < 3; ++j)
    moved[j] = static_cast<float>(-(Ext{r[3][0]} * r[0][j] + Ext{r[3][1]} * r[1][j] + Ext{r[3][2]} * r[2][j]));
  for (int j = 0; j < 3; ++j) r[3][j] = moved[j];
}

void Mat3RotationZ(RTFMatrix3x3* m, float angle) {
  const float s = MathSin(angle), c = MathCos(angle);
  Identity3(m->m);
  m->m[0][0] = c;
  m->m[0][1] = s;
  m->m[1][0] = -s;
  m->m[1][1] = c;
}

void Mat3FromEuler(RTFMatrix3x3* m, float ax, float ay, float az) {
  RTFMatrix4x4 x, y;
  Mat4RotationX(&x, ax);
  Mat4RotationY(&y, ay);
  RTFMatrix3x3 z, zy;
  Mat3RotationZ(&z, az);
  matrix_kernels::MultiplyExtended(z.m, y.m, 3, zy.m);
  matrix_kernels::MultiplyExtended(zy.m, x.m, 3, m->m);
}

bool Mat4LookAt(const RTFVector3D& eye, const RTFVector3D& at, const RTFVector3D& up, RTFMatrix4x4* m) {
  RTFVector3D back{eye.x - at.x, eye.y - at.y, eye.z - at.z, 0.0f};
  if (Vec3Normalize(&back) <= kNormalizeFloor) return false;
  RTFVector3D side{}, top{};
  Vec3Cross(up, back, &side);
  if (Vec3Normalize(&side) <= kNormalizeFloor) return false;
  Vec3Cross(back, side, &top);
  Mat4Identity(m);
  const RTFVector3D rows[] = {side, top, back};
  for (int row = 0; row < 3; ++row) {
    m->m[row][0] = rows[row].x;
    m->m[row][1] = rows[row].y;
    m->m[row][2] = rows[row].z;
  }
  Mat4SetTranslation(m, eye);
  return true;
}

void MatToEuler(const RTFMatrix4x4& m, float* ax, float* ay, float* az) { ToEuler(m.m, ax, ay, az); }

void MatToEuler(const RTFMatrix3x3& m, float* ax, float* ay, float* az) { ToEuler(m.m, ax, ay, az); }

}  // namespace kivo
