// 3x3 and 4x4 matrices: row-major, row vectors multiplied from the left, translation in row 3.
// Sums are formed in extended precision (long double) and rounded once to float; the 4x4 product and
// the transforms form them in double with AVX2 where the processor has it, settling on the same
// floats. Those three are inline, so that a hot loop calls the chosen version directly.
#pragma once

#include "kivo/support/math_types.h"
#include "kivo/support/processor.h"

namespace kivo {

// pi/2 as the float the angle functions report.
inline constexpr float kHalfPi = 1.5707964f;

// Identity in the nine used floats; each row's fourth float keeps its value.
void Mat3Identity(RTFMatrix3x3* m);
void Mat4Identity(RTFMatrix4x4* m);

// The versions the 4x4 product and the transforms pick from by gAvx2.
namespace matrix_kernels {

void Mat4MultiplyExtended(const RTFMatrix4x4& a, const RTFMatrix4x4& b, RTFMatrix4x4* out);
void Mat4MultiplyAvx2(const RTFMatrix4x4& a, const RTFMatrix4x4& b, RTFMatrix4x4* out);
void TransformPointExtended(const RTFMatrix4x4& m, const RTFVector3D& point, RTFVector3D* out);
void TransformPointAvx2(const RTFMatrix4x4& m, const RTFVector3D& point, RTFVector3D* out);
void RotateVectorExtended(const RTFMatrix4x4& m, const RTFVector3D& vector, RTFVector3D* out);
void RotateVectorAvx2(const RTFMatrix4x4& m, const RTFVector3D& vector, RTFVector3D* out);

}  // namespace matrix_kernels

// out = a x b, so p x out applies a first, then b. out may be a or b.
void Mat3Multiply(const RTFMatrix3x3& a, const RTFMatrix3x3& b, RTFMatrix3x3* out);
inline void Mat4Multiply(const RTFMatrix4x4& a, const RTFMatrix4x4& b, RTFMatrix4x4* out) {
  if (gAvx2)
    matrix_kernels::Mat4MultiplyAvx2(a, b, out);
  else
    matrix_kernels::Mat4MultiplyExtended(a, b, out);
}

// The inverse of a general 4x4 matrix (Gauss-Jordan with partial pivoting, in extended
// precision); false with out untouched when the matrix is singular. out may be m.
bool Mat4Inverse(const RTFMatrix4x4& m, RTFMatrix4x4* out);

// out.xyz = p.xyz x m including the translation row; out.w = 1. out may be the point.
inline void Mat4TransformPoint(const RTFMatrix4x4& m, const RTFVector3D& point, RTFVector3D* out) {
  if (gAvx2)
    matrix_kernels::TransformPointAvx2(m, point, out);
  else
    matrix_kernels::TransformPointExtended(m, point, out);
}
// out.xyz = v.xyz x the upper 3x3 of m (no translation); out.w = 1. out may be the vector.
inline void Mat4RotateVector(const RTFMatrix4x4& m, const RTFVector3D& vector, RTFVector3D* out) {
  if (gAvx2)
    matrix_kernels::RotateVectorAvx2(m, vector, out);
  else
    matrix_kernels::RotateVectorExtended(m, vector, out);
}

// Identity with a rotation about x (m11 = cos, m12 = sin, m21 = -sin, m22 = cos).
void Mat4RotationX(RTFMatrix4x4* m, float angle);
// Identity with a rotation about y (m00 = cos, m02 = -sin, m20 = sin, m22 = cos).
void Mat4RotationY(RTFMatrix4x4* m, float angle);
// Row 3 = (v.x, v.y, v.z, 1); the rest is kept.
void Mat4SetTranslation(RTFMatrix4x4* m, const RTFVector3D& translation);
// translation.xyz = row 3; its fourth float is kept.
void Mat4GetTranslation(const RTFMatrix4x4& m, RTFVector3D* translation);
// The upper 3x3 := the rotation's nine floats; the rest of m is kept.
void Mat4SetRotation(RTFMatrix4x4* m, const RTFMatrix3x3& rotation);
// The inverse of a rotation followed by a translation, in place: the upper 3x3 becomes its
// transpose R' and the translation t becomes -(t x R'). Other matrices get the same sums.
void Mat4InvertRigid(RTFMatrix4x4* m);

// Identity with a rotation about z (m00 = cos, m01 = sin, m10 = -sin, m11 = cos); the fourth
// float of each row is kept.
void Mat3RotationZ(RTFMatrix3x3* m, float angle);
// Rz(az) x Ry(ay) x Rx(ax), with the rotations of Mat3RotationZ, Mat4RotationY and Mat4RotationX:
// a row vector turns about z first, then y, then x. The fourth float of each row is kept.
void Mat3FromEuler(RTFMatrix3x3* m, float ax, float ay, float az);
// The placement of a camera at `eye` looking at `at` along its -z, with +y as near to `up` as the
// view allows: rows side, up, back (unit length) and eye. False with m untouched when eye and at
// coincide or the view runs along `up`.
bool Mat4LookAt(const RTFVector3D& eye, const RTFVector3D& at, const RTFVector3D& up, RTFMatrix4x4* m);

// Euler angles of the rotation in the upper 3x3. At the poles (m20 at or beyond +-1) the whole
// rotation goes to ax, ay is +-kHalfPi and az is 0. Takes the 4x4 form; a 3x3 matrix has the same
// rows.
void MatToEuler(const RTFMatrix4x4& m, float* ax, float* ay, float* az);
void MatToEuler(const RTFMatrix3x3& m, float* ax, float* ay, float* az);

}  // namespace kivo
