#include "kivo/support/extended_math.h"

#include <cmath>

namespace kivo {

namespace {

using Ext = long double;

Ext DotExt(const RTFVector3D& a, const RTFVector3D& b) {
  return Ext{a.x} * b.x + Ext{a.y} * b.y + Ext{a.z} * b.z;
}

Ext DistanceSquaredExt(const RTFVector3D& a, const RTFVector3D& b) {
  const Ext dx = Ext{a.x} - b.x, dy = Ext{a.y} - b.y, dz = Ext{a.z} - b.z;
  return dx * dx + dy * dy + dz * dz;
}

}  // namespace

float ExtendedDot(const RTFVector3D& a, const RTFVector3D& b) { return static_cast<float>(DotExt(a, b)); }

float ExtendedCrossTerm(float a1, float b1, float a2, float b2) {
  return static_cast<float>(Ext{a1} * b1 - Ext{a2} * b2);
}

float ExtendedPlaneDistance(const Plane& plane, const RTFVector3D& point) {
  return static_cast<float>(DotExt(plane.normal, point) - plane.d);
}

float ExtendedTransformTerm(const RTFMatrix4x4& m, const RTFVector3D& p, int column, bool translate) {
  Ext sum = Ext{p.x} * m.m[0][column] + Ext{p.y} * m.m[1][column] + Ext{p.z} * m.m[2][column];
  if (translate) sum += m.m[3][column];
  return static_cast<float>(sum);
}

float ExtendedMatrixEntry(const float* row, const float (*b)[4], int column, int size) {
  Ext sum = 0;
  for (int k = 0; k < size; ++k) sum += Ext{row[k]} * b[k][column];
  return static_cast<float>(sum);
}

Quaternion ExtendedQuatProduct(const Quaternion& a, const Quaternion& b) {
  const Ext aw = a.w, ax = a.x, ay = a.y, az = a.z;
  const Ext bw = b.w, bx = b.x, by = b.y, bz = b.z;
  return Quaternion{
      static_cast<float>(aw * bw - ax * bx - ay * by - az * bz),
      static_cast<float>(aw * bx + ax * bw + ay * bz - az * by),
      static_cast<float>(aw * by - ax * bz + ay * bw + az * bx),
      static_cast<float>(aw * bz + ax * by - ay * bx + az * bw),
  };
}

float ExtendedLength(const RTFVector3D& v) { return static_cast<float>(std::sqrt(DotExt(v, v))); }

float ExtendedDistance(const RTFVector3D& a, const RTFVector3D& b) {
  return static_cast<float>(std::sqrt(DistanceSquaredExt(a, b)));
}

float ExtendedDistanceSquared(const RTFVector3D& a, const RTFVector3D& b) {
  return static_cast<float>(DistanceSquaredExt(a, b));
}

float ExtendedScale(float value, float divisor) {
  const Ext inverse = Ext{1} / divisor;
  return static_cast<float>(value * inverse);
}

bool ExtendedSumAtMost(float a, float b, float limit) { return Ext{a} + b <= limit; }

}  // namespace kivo
