#include "actor_vectors.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "kivo/support/geometry.h"
#include "kivo/support/vector.h"

namespace tesk::actor {

namespace {

using kivo::Vec3Dot;

constexpr float kParallel = 1e-6f;

RTFVector3D Minus(const RTFVector3D& a, const RTFVector3D& b) { return {a.x - b.x, a.y - b.y, a.z - b.z, a.w}; }
RTFVector3D Along(const RTFVector3D& from, const RTFVector3D& direction, float t) {
  return {from.x + direction.x * t, from.y + direction.y * t, from.z + direction.z * t, from.w};
}
// The z component of the cross product of two vectors in the x-y plane.
float Cross2D(const RTFVector3D& p, const RTFVector3D& q) { return p.x * q.y - p.y * q.x; }
bool IsPoint(const RTFVector3D& d) { return d.x == 0 && d.y == 0; }

// Collinear proper segments: the part of A that lies on B, by A's ends' parameters along B (on x,
// or on y when B runs along y).
uint32_t CollinearOverlap(const RTFVector3D& a0, const RTFVector3D& a1, const RTFVector3D& b0, const RTFVector3D& s,
                          RTFVector3D* point1, RTFVector3D* point2) {
  const bool onX = s.x != 0;
  const auto parameter = [&](const RTFVector3D& p) { return onX ? (p.x - b0.x) / s.x : (p.y - b0.y) / s.y; };
  float t0 = parameter(a0);
  float t1 = parameter(a1);
  if (t0 > t1) std::swap(t0, t1);
  if (t0 > 1 || t1 < 0) return 0;
  t0 = std::max(t0, 0.0f);
  t1 = std::min(t1, 1.0f);
  *point1 = Along(b0, s, t0);
  if (t0 == t1) return 1;
  *point2 = Along(b0, s, t1);
  return 2;
}

}  // namespace

float Vec3LengthSquared(const RTFVector3D& v) { return v.x * v.x + v.y * v.y + v.z * v.z; }

float Vec3Truncate(float maxLength, RTFVector3D* v) {
  if (v->x == 0 && v->y == 0 && v->z == 0) return 0;
  const float length = kivo::Vec3Normalize(v);
  const float scale = std::min(length, maxLength);
  v->x *= scale;
  v->y *= scale;
  v->z *= scale;
  return length;
}

RTSuccess Vec3ParallelComponent(const RTFVector3D& v, const RTFVector3D& u, RTFVector3D* out) {
  const float along = Vec3Dot(v, u);
  *out = RTFVector3D{u.x * along, u.y * along, u.z * along, out->w};
  return kRTSuccess;
}

RTSuccess Vec3PerpendicularComponent(const RTFVector3D& v, const RTFVector3D& u, RTFVector3D* out) {
  const float along = Vec3Dot(v, u);
  *out = RTFVector3D{v.x - u.x * along, v.y - u.y * along, v.z - u.z * along, out->w};
  return kRTSuccess;
}

RTSuccess SweptSphereTest(float radius1, const RTFVector3D& centre1, const RTFVector3D& velocity1, float radius2,
                          const RTFVector3D& centre2, const RTFVector3D& velocity2, float step, float* distance,
                          RTFVector3D* contact) {
  RTFVector3D m{velocity1.x * step - velocity2.x * step, velocity1.y * step - velocity2.y * step,
                velocity1.z * step - velocity2.z * step, 0};
  const RTFVector3D c = Minus(centre2, centre1);
  // The cheapest refusal first: a second sphere behind the relative movement.
  if (Vec3Dot(c, m) <= 0) return kRTFailure;
  const float moved = kivo::Vec3Length(m);
  if (moved == 0) return kRTFailure;
  const float reach = radius1 + radius2;
  if (kivo::Vec3Length(c) - reach > moved) return kRTFailure;
  kivo::Vec3Normalize(&m);
  const float d = Vec3Dot(m, c);
  const float f = Vec3LengthSquared(c) - d * d;
  if (f > reach * reach) return kRTFailure;
  *distance = d - std::sqrt(reach * reach - f);
  *contact = Along(centre1, m, *distance);
  return kRTSuccess;
}

bool ElasticImpulse(const RTFVector3D& velocity, const RTFVector3D& normal, float inverseMasses, float* impulse) {
  constexpr float kNoDirection = 1e-6f;  // squared length
  const float square = Vec3LengthSquared(normal);
  if (!(square >= kNoDirection)) return false;
  *impulse = -2.0f * Vec3Dot(velocity, normal) / (inverseMasses * square);
  return true;
}

uint32_t IntersectSegments2D(const RTFVector3D& a0, const RTFVector3D& a1, const RTFVector3D& b0,
                             const RTFVector3D& b1, RTFVector3D* point1, RTFVector3D* point2) {
  const RTFVector3D r = Minus(a1, a0);
  const RTFVector3D s = Minus(b1, b0);
  const RTFVector3D w = Minus(a0, b0);
  const float den = Cross2D(r, s);
  if (std::fabs(den) >= kParallel) {
    const float ta = Cross2D(s, w) / den;
    const float tb = Cross2D(r, w) / den;
    if (ta < 0 || ta > 1 || tb < 0 || tb > 1) return 0;
    *point1 = Along(a0, r, ta);
    return 1;
  }
  if (Cross2D(r, w) != 0 || Cross2D(s, w) != 0) return 0;
  if (IsPoint(r) && IsPoint(s)) {
    if (!(std::hypot(w.x, w.y) < kParallel)) return 0;
    *point1 = a0;
    return 1;
  }
  if (IsPoint(r) || IsPoint(s)) {
    const RTFVector3D& single = IsPoint(r) ? a0 : b0;
    const bool within = IsPoint(r) ? kivo::PointInSegmentExtent2D(a0, b0, b1) : kivo::PointInSegmentExtent2D(b0, a0, a1);
    if (!within) return 0;
    *point1 = single;
    return 1;
  }
  return CollinearOverlap(a0, a1, b0, s, point1, point2);
}

RTSuccess Vec3LerpClamped(float t, const RTFVector3D& target, RTFVector3D* v) {
  const float k = std::min(t, 1.0f);
  v->x += (target.x - v->x) * k;
  v->y += (target.y - v->y) * k;
  v->z += (target.z - v->z) * k;
  return kRTSuccess;
}

RTSuccess LerpClamped(float t, float target, float* x) {
  *x += (target - *x) * std::min(t, 1.0f);
  return kRTSuccess;
}

float ClosestPointOnSegment(const RTFVector3D& p, const RTFVector3D& a, const RTFVector3D& b, RTFVector3D* closest) {
  const RTFVector3D d = Minus(b, a);
  const float t = Vec3Dot(Minus(p, a), d);
  const float length2 = Vec3Dot(d, d);
  *closest = t <= 0 ? a : t >= length2 ? b : Along(a, d, t / length2);
  return kivo::Vec3DistanceSquared(p, *closest);
}

}  // namespace tesk::actor
