// Sums are formed in long double (extended precision) and rounded once to float.
#include "kivo/support/vector.h"

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

float Vec3Dot(const RTFVector3D& a, const RTFVector3D& b) { return static_cast<float>(DotExt(a, b)); }

void Vec3Cross(const RTFVector3D& a, const RTFVector3D& b, RTFVector3D* out) {
  const float x = static_cast<float>(Ext{a.y} * b.z - Ext{a.z} * b.y);
  const float y = static_cast<float>(Ext{a.z} * b.x - Ext{a.x} * b.z);
  const float z = static_cast<float>(Ext{a.x} * b.y - Ext{a.y} * b.x);
  out->x = x;
  out->y = y;
  out->z = z;
}

float Vec3Length(const RTFVector3D& v) { return static_cast<float>(std::sqrt(DotExt(v, v))); }

float Vec3Normalize(RTFVector3D* v) {
  float divisor = Vec3Length(*v);
  if (!(divisor > kNormalizeFloor)) divisor = kNormalizeFloor;
  const Ext inverse = Ext{1} / divisor;
  v->x = static_cast<float>(v->x * inverse);
  v->y = static_cast<float>(v->y * inverse);
  v->z = static_cast<float>(v->z * inverse);
  return divisor;
}

float Vec3Distance(const RTFVector3D& a, const RTFVector3D& b) {
  return static_cast<float>(std::sqrt(DistanceSquaredExt(a, b)));
}

float Vec3DistanceSquared(const RTFVector3D& a, const RTFVector3D& b) {
  return static_cast<float>(DistanceSquaredExt(a, b));
}

float PlaneDistance(const Plane& plane, const RTFVector3D& point) {
  return static_cast<float>(DotExt(plane.normal, point) - plane.d);
}

}  // namespace kivo
