// 3D vector operations over x, y and z; the fourth float of an output is left as it was.
//
// Every result is the float that extended precision gives (settled_float.h): the sums are formed
// inline in double, and a result too near a float rounding boundary comes from the extended
// evaluation instead.
#pragma once

#include <cmath>

#include "kivo/support/extended_math.h"
#include "kivo/support/math_types.h"
#include "kivo/support/settled_float.h"

namespace kivo {

// The smallest length that Vec3Normalize divides by.
inline constexpr float kNormalizeFloor = 0.0001f;

// value x (1 / divisor) with the reciprocal rounded first, as Vec3Normalize and the ray tests scale.
inline float ScaleByInverse(float value, float divisor) {
  const double scaled = value * (1.0 / divisor);
  float result;
  if (SettledFloat(scaled, std::fabs(scaled) * kSettleMargin, &result)) return result;
  return ExtendedScale(value, divisor);
}

inline float Vec3Dot(const RTFVector3D& a, const RTFVector3D& b) {
  return SettledDot<3>({a.x, a.y, a.z}, {b.x, b.y, b.z}, [&] { return ExtendedDot(a, b); });
}

// out = a x b; out may be a or b.
inline void Vec3Cross(const RTFVector3D& a, const RTFVector3D& b, RTFVector3D* out) {
  const float x = SettledDot<2>({a.y, -a.z}, {b.z, b.y}, [&] { return ExtendedCrossTerm(a.y, b.z, a.z, b.y); });
  const float y = SettledDot<2>({a.z, -a.x}, {b.x, b.z}, [&] { return ExtendedCrossTerm(a.z, b.x, a.x, b.z); });
  const float z = SettledDot<2>({a.x, -a.y}, {b.y, b.x}, [&] { return ExtendedCrossTerm(a.x, b.y, a.y, b.x); });
  out->x = x;
  out->y = y;
  out->z = z;
}

inline float Vec3Length(const RTFVector3D& v) {
  const double length = std::sqrt(double{v.x} * v.x + double{v.y} * v.y + double{v.z} * v.z);
  float result;
  if (SettledFloat(length, length * kSettleMargin, &result)) return result;
  return ExtendedLength(v);
}

// Divides x, y, z by the length, or by kNormalizeFloor when the length is not above it, and
// returns that divisor: a zero vector stays zero and gives kNormalizeFloor.
inline float Vec3Normalize(RTFVector3D* v) {
  float divisor = Vec3Length(*v);
  if (!(divisor > kNormalizeFloor)) divisor = kNormalizeFloor;
  v->x = ScaleByInverse(v->x, divisor);
  v->y = ScaleByInverse(v->y, divisor);
  v->z = ScaleByInverse(v->z, divisor);
  return divisor;
}

namespace detail {
inline double DistanceSquaredDouble(const RTFVector3D& a, const RTFVector3D& b) {
  const double dx = double{a.x} - b.x, dy = double{a.y} - b.y, dz = double{a.z} - b.z;
  return dx * dx + dy * dy + dz * dz;
}
}  // namespace detail

inline float Vec3Distance(const RTFVector3D& a, const RTFVector3D& b) {
  const double distance = std::sqrt(detail::DistanceSquaredDouble(a, b));
  float result;
  if (SettledFloat(distance, distance * kSettleMargin, &result)) return result;
  return ExtendedDistance(a, b);
}

inline float Vec3DistanceSquared(const RTFVector3D& a, const RTFVector3D& b) {
  const double squared = detail::DistanceSquaredDouble(a, b);
  float result;
  if (SettledFloat(squared, squared * kSettleMargin, &result)) return result;
  return ExtendedDistanceSquared(a, b);
}

// Signed distance dot(normal, p) - d; positive on the side the normal points to.
inline float PlaneDistance(const Plane& plane, const RTFVector3D& point) {
  const RTFVector3D& n = plane.normal;
  return SettledDot<4>({n.x, n.y, n.z, -plane.d}, {point.x, point.y, point.z, 1.0f},
                       [&] { return ExtendedPlaneDistance(plane, point); });
}

}  // namespace kivo
