#include "extended_reference.h"

#include <cmath>

namespace reference {

namespace {

using Ext = long double;

constexpr float kNormalizeFloor = 0.0001f;
constexpr double kTriangleTolerance = 1e-6;

Ext DotExt(const RTFVector3D& a, const RTFVector3D& b) { return Ext{a.x} * b.x + Ext{a.y} * b.y + Ext{a.z} * b.z; }

Ext DistanceSquaredExt(const RTFVector3D& a, const RTFVector3D& b) {
  const Ext dx = Ext{a.x} - b.x, dy = Ext{a.y} - b.y, dz = Ext{a.z} - b.z;
  return dx * dx + dy * dy + dz * dz;
}

template <int kSize>
void Multiply(const float (*a)[4], const float (*b)[4], float (*out)[4]) {
  float result[kSize][kSize];
  for (int i = 0; i < kSize; ++i)
    for (int j = 0; j < kSize; ++j) {
      Ext sum = 0;
      for (int k = 0; k < kSize; ++k) sum += Ext{a[i][k]} * b[k][j];
      result[i][j] = static_cast<float>(sum);
    }
  for (int i = 0; i < kSize; ++i)
    for (int j = 0; j < kSize; ++j) out[i][j] = result[i][j];
}

void Transform(const RTFMatrix4x4& m, const RTFVector3D& p, bool translate, RTFVector3D* out) {
  float result[3];
  for (int j = 0; j < 3; ++j) {
    Ext sum = Ext{p.x} * m.m[0][j] + Ext{p.y} * m.m[1][j] + Ext{p.z} * m.m[2][j];
    if (translate) sum += m.m[3][j];
    result[j] = static_cast<float>(sum);
  }
  out->x = result[0];
  out->y = result[1];
  out->z = result[2];
  out->w = 1.0f;
}

RTFVector3D Difference(const RTFVector3D& a, const RTFVector3D& b) { return {a.x - b.x, a.y - b.y, a.z - b.z, 0.0f}; }

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

float PlaneDistance(const kivo::Plane& plane, const RTFVector3D& point) {
  return static_cast<float>(DotExt(plane.normal, point) - plane.d);
}

void Mat3Multiply(const RTFMatrix3x3& a, const RTFMatrix3x3& b, RTFMatrix3x3* out) { Multiply<3>(a.m, b.m, out->m); }

void Mat4Multiply(const RTFMatrix4x4& a, const RTFMatrix4x4& b, RTFMatrix4x4* out) { Multiply<4>(a.m, b.m, out->m); }

void Mat4TransformPoint(const RTFMatrix4x4& m, const RTFVector3D& point, RTFVector3D* out) {
  Transform(m, point, true, out);
}

void Mat4RotateVector(const RTFMatrix4x4& m, const RTFVector3D& vector, RTFVector3D* out) {
  Transform(m, vector, false, out);
}

void QuatMultiply(const kivo::Quaternion& a, const kivo::Quaternion& b, kivo::Quaternion* out) {
  const Ext aw = a.w, ax = a.x, ay = a.y, az = a.z;
  const Ext bw = b.w, bx = b.x, by = b.y, bz = b.z;
  const kivo::Quaternion result{
      static_cast<float>(aw * bw - ax * bx - ay * by - az * bz),
      static_cast<float>(aw * bx + ax * bw + ay * bz - az * by),
      static_cast<float>(aw * by - ax * bz + ay * bw + az * bx),
      static_cast<float>(aw * bz + ax * by - ay * bx + az * bw),
  };
  *out = result;
}

RTBool IntersectRayTriangle(const RTFVector3D& origin, const RTFVector3D& direction, const RTFVector3D& v0,
                            const RTFVector3D& v1, const RTFVector3D& v2, float* t, float* u, float* v) {
  const RTFVector3D e1 = Difference(v1, v0), e2 = Difference(v2, v0);
  RTFVector3D p;
  Vec3Cross(direction, e2, &p);
  const float det = Vec3Dot(e1, p);
  if (!(det >= kTriangleTolerance)) return 0;

  const RTFVector3D s = Difference(origin, v0);
  const float uu = Vec3Dot(s, p);
  if (!(uu >= 0.0f && uu <= det)) return 0;

  RTFVector3D q;
  Vec3Cross(s, e1, &q);
  const float vv = Vec3Dot(direction, q);
  if (!(vv >= 0.0f && Ext{uu} + vv <= det)) return 0;

  const Ext inverse = Ext{1} / det;
  *t = static_cast<float>(Vec3Dot(e2, q) * inverse);
  *u = static_cast<float>(uu * inverse);
  *v = static_cast<float>(vv * inverse);
  return 1;
}

double RandomReal(kivo::RandomState* state) {
  constexpr uint32_t kWords = 25, kShift = 7;
  constexpr uint32_t kTwist[2] = {0x00000000u, 0x8EBFD028u};
  if (state->index >= kWords) {
    uint32_t* x = state->words;
    uint32_t i = 0;
    for (; i < kWords - kShift; ++i) x[i] = x[i + kShift] ^ (x[i] >> 1) ^ kTwist[x[i] & 1u];
    for (; i < kWords; ++i) x[i] = x[i + kShift - kWords] ^ (x[i] >> 1) ^ kTwist[x[i] & 1u];
    state->index = 0;
  }
  uint32_t y = state->words[state->index++];
  y ^= (y << 7) & 0x2B5B2500u;
  y ^= (y << 15) & 0xDB8B0000u;
  y ^= y >> 16;
  return static_cast<double>(static_cast<long double>(y) * (1.0L / 4294967295.0L));
}

}  // namespace reference
