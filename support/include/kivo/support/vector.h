// 3D vector operations over x, y and z; the fourth float of an output is left as it was.
#pragma once

#include "kivo/support/math_types.h"

namespace kivo {

// The smallest length that Vec3Normalize divides by.
inline constexpr float kNormalizeFloor = 0.0001f;

float Vec3Dot(const RTFVector3D& a, const RTFVector3D& b);
// out = a x b; out may be a or b.
void Vec3Cross(const RTFVector3D& a, const RTFVector3D& b, RTFVector3D* out);
float Vec3Length(const RTFVector3D& v);
// Divides x, y, z by the length, or by kNormalizeFloor when the length is not above it, and
// returns that divisor: a zero vector stays zero and gives kNormalizeFloor.
float Vec3Normalize(RTFVector3D* v);
float Vec3Distance(const RTFVector3D& a, const RTFVector3D& b);
float Vec3DistanceSquared(const RTFVector3D& a, const RTFVector3D& b);

// Signed distance dot(normal, p) - d; positive on the side the normal points to.
float PlaneDistance(const Plane& plane, const RTFVector3D& point);

}  // namespace kivo
