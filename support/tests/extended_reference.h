// The float math as it was written before its double fast paths: every sum formed in long double
// (x87 extended precision) and rounded once to float. The differential tests hold the library's
// results to these, bit for bit.
#pragma once

#include <cstdint>

#include "kivo/support/math_types.h"
#include "kivo/support/random.h"
#include "kivo/types.h"

namespace reference {

float Vec3Dot(const RTFVector3D& a, const RTFVector3D& b);
void Vec3Cross(const RTFVector3D& a, const RTFVector3D& b, RTFVector3D* out);
float Vec3Length(const RTFVector3D& v);
float Vec3Normalize(RTFVector3D* v);
float Vec3Distance(const RTFVector3D& a, const RTFVector3D& b);
float Vec3DistanceSquared(const RTFVector3D& a, const RTFVector3D& b);
float PlaneDistance(const kivo::Plane& plane, const RTFVector3D& point);

void Mat3Multiply(const RTFMatrix3x3& a, const RTFMatrix3x3& b, RTFMatrix3x3* out);
void Mat4Multiply(const RTFMatrix4x4& a, const RTFMatrix4x4& b, RTFMatrix4x4* out);
void Mat4TransformPoint(const RTFMatrix4x4& m, const RTFVector3D& point, RTFVector3D* out);
void Mat4RotateVector(const RTFMatrix4x4& m, const RTFVector3D& vector, RTFVector3D* out);

void QuatMultiply(const kivo::Quaternion& a, const kivo::Quaternion& b, kivo::Quaternion* out);

RTBool IntersectRayTriangle(const RTFVector3D& origin, const RTFVector3D& direction, const RTFVector3D& v0,
                            const RTFVector3D& v1, const RTFVector3D& v2, float* t, float* u, float* v);

double RandomReal(kivo::RandomState* state);

}  // namespace reference
