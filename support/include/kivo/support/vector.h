// 3D vector operations over x, y and z; the fourth float of an output is left as it was.
//
// Sums are formed in long double (extended precision) and rounded once to float. They are inline:
// the x87 unit takes the float operands as they are, so a call would cost more than the sum.
#pragma once

#include <cmath>

#include "kivo/support/math_types.h"

namespace kivo {

// The smallest length that Vec3Normalize divides by.
inline constexpr float kNormalizeFloor = 0.0001f;

namespace detail {

using Ext = long double;

inline Ext DotExt(const RTFVector3D& a, const RTFVector3D& b) {
  return Ext{a.x} * b.x + Ext{a.y} * b.y + Ext{a.z} * b.z;
}

inline Ext DistanceSquaredExt(const RTFVector3D& a, const RTFVector3D& b) {
  const Ext dx = Ext{a.x} - b.x, dy = Ext{a.y} - b.y, dz = Ext{a.z} - b.z;
  return dx * dx + dy * dy + dz * dz;
}

}  // namespace detail

// a - b in float, x, y and z; the fourth float is 0.
inline RTFVector3D Vec3Subtract(const RTFVector3D& a, const RTFVector3D& b) {
  return RTFVector3D{a.x - b.x, a.y - b.y, a.z - b.z, 0.0f};
}

// a + b in float, x, y and z; the fourth float is 0.
inline RTFVector3D Vec3Add(const RTFVector3D& a, const RTFVector3D& b) {
  return RTFVector3D{a.x + b.x, a.y + b.y, a.z + b.z, 0.0f};
}

// v * s in float, x, y and z; the fourth float is 0.
inline RTFVector3D Vec3Scale(const RTFVector3D& v, float s) { return RTFVector3D{v.x * s, v.y * s, v.z * s, 0.0f}; }

inline float Vec3Dot(const RTFVector3D& a, const RTFVector3D& b) { return static_cast<float>(detail::DotExt(a, b)); }

// out = a x b; out may be a or b.
inline void Vec3Cross(const RTFVector3D& a, const RTFVector3D& b, RTFVector3D* out) {
  using detail::Ext;
  const float x = static_cast<float>(Ext{a.y} * b.z - Ext{a.z} * b.y);
  const float y = static_cast<float>(Ext{a.z} * b.x - Ext{a.x} * b.z);
  const float z = static_cast<float>(Ext{a.x} * b.y - Ext{a.y} * b.x);
  out->x = x;
  out->y = y;
  out->z = z;
}

inline float Vec3Length(const RTFVector3D& v) { return static_cast<float>(std::sqrt(detail::DotExt(v, v))); }

// Divides x, y, z by the length, or by kNormalizeFloor when the length is not above it, and
// returns that divisor: a zero vector stays zero and gives kNormalizeFloor.
inline float Vec3Normalize(RTFVector3D* v) {
  float divisor = Vec3Length(*v);
  if (!(divisor > kNormalizeFloor)) divisor = kNormalizeFloor;
  const detail::Ext inverse = detail::Ext{1} / divisor;
  v->x = static_cast<float>(v->x * inverse);
  v->y = static_cast<float>(v->y * inverse);
  v->z = static_cast<float>(v->z * inverse);
  return divisor;
}

inline float Vec3Distance(const RTFVector3D& a, const RTFVector3D& b) {
  return static_cast<float>(std::sqrt(detail::DistanceSquaredExt(a, b)));
}

inline float Vec3DistanceSquared(const RTFVector3D& a, const RTFVector3D& b) {
  return static_cast<float>(detail::DistanceSquaredExt(a, b));
}

// Signed distance dot(normal, p) - d; positive on the side the normal points to.
inline float PlaneDistance(const Plane& plane, const RTFVector3D& point) {
  return static_cast<float>(detail::DotExt(plane.normal, point) - plane.d);
}

}  // namespace kivo
