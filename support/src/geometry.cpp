// Sums are formed in long double (extended precision) and rounded once to float; the ray-triangle
// test is in ray_triangle.cpp. The comparisons are written so that a NaN never counts as a hit.
#include "kivo/support/geometry.h"

#include <cmath>

#include "kivo/support/vector.h"

namespace kivo {

namespace {

using Ext = long double;

constexpr double kQuadraticTolerance = 1e-10;
constexpr double kParallelTolerance = 1e-10;
constexpr double kSlabTolerance = 1e-6;
constexpr float kSlabLimit = 1e6f;
constexpr double kSegmentParallel = 1e-6;
constexpr double kPointsMeet = 1e-6;
constexpr double kLinePlaneTolerance = 1e-6;
constexpr double kCircleTolerance = 1e-6;

using detail::DotExt;

bool Between(float value, float end1, float end2) {
  return end1 <= end2 ? end1 <= value && value <= end2 : end2 <= value && value <= end1;
}

Ext Cross2D(Ext ax, Ext ay, Ext bx, Ext by) { return ax * by - ay * bx; }

// Whether [a0, a1] and [b0, b1] share a value, either end order.
bool Overlap(float a0, float a1, float b0, float b1) {
  return std::fmax(std::fmin(a0, a1), std::fmin(b0, b1)) <= std::fmin(std::fmax(a0, a1), std::fmax(b0, b1));
}

}  // namespace

uint32_t SolveQuadratic(float a, float b, float c, float* r1, float* r2) {
  const Ext twoA = Ext{2} * a;
  if (!(std::fabs(twoA) > kQuadraticTolerance)) return 0;
  const Ext disc = Ext{b} * b - Ext{4} * a * c;
  if (std::fabs(disc) <= kQuadraticTolerance) {
    *r1 = static_cast<float>(-Ext{b} / twoA);
    return 1;
  }
  if (!(disc > 0)) return 0;
  const Ext root = std::sqrt(disc);
  *r1 = static_cast<float>((-Ext{b} - root) / twoA);
  *r2 = static_cast<float>((-Ext{b} + root) / twoA);
  return 2;
}

uint32_t IntersectRaySphere(float radius, const RTFVector3D& centre, const RTFVector3D& origin,
                            const RTFVector3D& direction, float* t1, float* t2) {
  const Ext ox = Ext{origin.x} - centre.x, oy = Ext{origin.y} - centre.y, oz = Ext{origin.z} - centre.z;
  const float a = static_cast<float>(DotExt(direction, direction));
  const float b = static_cast<float>(2 * (ox * direction.x + oy * direction.y + oz * direction.z));
  const float c = static_cast<float>(ox * ox + oy * oy + oz * oz - Ext{radius} * radius);
  return SolveQuadratic(a, b, c, t1, t2);
}

RTBool IntersectRayPlane(float offset, const RTFVector3D& origin, const RTFVector3D& direction,
                         const Plane& plane, float* t) {
  const Ext along = DotExt(plane.normal, direction);
  if (!(std::fabs(along) >= kParallelTolerance)) return 0;
  *t = static_cast<float>((Ext{plane.d} + offset - DotExt(plane.normal, origin)) / along);
  return 1;
}

RTBool IntersectRayBox(const RTFVector3D& origin, const RTFVector3D& direction, const RTFVector3D& boxMin,
                       const RTFVector3D& boxMax, float* t) {
  const float o[3] = {origin.x, origin.y, origin.z};
  const float d[3] = {direction.x, direction.y, direction.z};
  const float lo[3] = {boxMin.x, boxMin.y, boxMin.z};
  const float hi[3] = {boxMax.x, boxMax.y, boxMax.z};
  float nearT = -kSlabLimit, farT = kSlabLimit;
  for (int axis = 0; axis < 3; ++axis) {
    if (std::fabs(d[axis]) < kSlabTolerance && (o[axis] < lo[axis] || o[axis] > hi[axis])) return 0;
    // A zero component inside the slab gives infinite (or, on a face, NaN) distances, which the
    // comparisons below leave out.
    float t1 = static_cast<float>((Ext{lo[axis]} - o[axis]) / d[axis]);
    float t2 = static_cast<float>((Ext{hi[axis]} - o[axis]) / d[axis]);
    if (t1 > t2) {
      const float swap = t1;
      t1 = t2;
      t2 = swap;
    }
    if (t1 > nearT) nearT = t1;
    if (t2 < farT) farT = t2;
    if (nearT > farT || farT < 0.0f) return 0;
  }
  *t = nearT > 0.0f ? nearT : farT;
  return 1;
}

RTBool IntersectLinePlane(const RTFVector3D& planePoint, const RTFVector3D& a, const RTFVector3D& b,
                          const RTFVector3D& n, RTFVector3D* x, float* t) {
  const RTFVector3D direction = Vec3Subtract(b, a);
  const Ext d = DotExt(n, direction);
  if (d < kLinePlaneTolerance) {
    *t = 0;
    *x = RTFVector3D{a.x, a.y, a.z, x->w};
    return 0;
  }
  const float along = static_cast<float>(DotExt(n, Vec3Subtract(planePoint, a)) / d);
  *t = along;
  *x = RTFVector3D{a.x + along * direction.x, a.y + along * direction.y, a.z + along * direction.z, x->w};
  return 1;
}

int32_t IntersectSegmentCircle2D(const RTFVector2D& centre, float r, const RTFVector2D& p0, const RTFVector2D& p1,
                                 RTFVector2D* x1, RTFVector2D* x2, float* t1, float* t2) {
  const Ext dx = Ext{p1.x} - p0.x, dy = Ext{p1.y} - p0.y;
  const Ext ox = Ext{p0.x} - centre.x, oy = Ext{p0.y} - centre.y;
  const Ext e = dx * dx + dy * dy;
  const Ext f = 2 * (dx * ox + dy * oy);
  const Ext g = ox * ox + oy * oy - Ext{r} * r;
  const Ext discriminant = f * f - 4 * e * g;
  if (discriminant < kCircleTolerance) return -1;
  const Ext root = std::sqrt(discriminant);
  const float roots[2] = {static_cast<float>((root - f) / (2 * e)), static_cast<float>((-f - root) / (2 * e))};
  RTFVector2D* points[2] = {x1, x2};
  float* parameters[2] = {t1, t2};
  int32_t found = 0;
  for (float u : roots) {
    if (!(u >= 0 && u <= 1)) continue;
    *points[found] = RTFVector2D{static_cast<float>(p0.x + u * dx), static_cast<float>(p0.y + u * dy)};
    *parameters[found] = u;
    ++found;
  }
  if (found) return found;
  return roots[0] < 0 && roots[1] < 0 ? -1 : roots[0] > 1 && roots[1] > 1 ? -1 : 0;
}

float Orient2D(const RTFVector2D& a, const RTFVector2D& b, const RTFVector2D& c) {
  return static_cast<float>((Ext{b.x} - a.x) * (Ext{c.y} - a.y) - (Ext{c.x} - a.x) * (Ext{b.y} - a.y));
}

RTBool PointInPolygon2D(const RTFVector2D* polygon, uint32_t count, const RTFVector2D& point) {
  if (!polygon) return 0;
  int64_t winding = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const RTFVector2D& from = polygon[i];
    const RTFVector2D& to = polygon[i + 1 == count ? 0 : i + 1];
    if (from.y <= point.y) {
      if (to.y > point.y && Orient2D(from, to, point) > 0.0f) ++winding;
    } else {
      if (to.y <= point.y && Orient2D(from, to, point) < 0.0f) --winding;
    }
  }
  return winding != 0;
}

RTBool SegmentsIntersect2D(const RTFVector2D& a0, const RTFVector2D& a1, const RTFVector2D& b0, const RTFVector2D& b1) {
  const Ext ux = Ext{a1.x} - a0.x, uy = Ext{a1.y} - a0.y;
  const Ext vx = Ext{b1.x} - b0.x, vy = Ext{b1.y} - b0.y;
  const Ext wx = Ext{a0.x} - b0.x, wy = Ext{a0.y} - b0.y;
  const Ext d = Cross2D(ux, uy, vx, vy);
  if (std::fabs(d) >= kSegmentParallel) {
    const Ext s = Cross2D(vx, vy, wx, wy) / d;
    const Ext t = Cross2D(ux, uy, wx, wy) / d;
    return s >= 0 && s <= 1 && t >= 0 && t <= 1;
  }
  if (Cross2D(wx, wy, ux, uy) != 0 || Cross2D(wx, wy, vx, vy) != 0) return 0;
  const bool aIsPoint = ux == 0 && uy == 0;
  const bool bIsPoint = vx == 0 && vy == 0;
  if (aIsPoint && bIsPoint) return std::sqrt(wx * wx + wy * wy) < kPointsMeet;
  auto onSegment = [](const RTFVector2D& p, const RTFVector2D& e1, const RTFVector2D& e2) {
    return e1.x == e2.x ? Between(p.y, e1.y, e2.y) : Between(p.x, e1.x, e2.x);
  };
  if (aIsPoint) return onSegment(a0, b0, b1);
  if (bIsPoint) return onSegment(b0, a0, a1);
  return a0.x != a1.x ? Overlap(a0.x, a1.x, b0.x, b1.x) : Overlap(a0.y, a1.y, b0.y, b1.y);
}

RTBool PointInSegmentExtent2D(const RTFVector3D& point, const RTFVector3D& end1, const RTFVector3D& end2) {
  if (end1.x == end2.x) return Between(point.y, end1.y, end2.y);
  return Between(point.x, end1.x, end2.x);
}

}  // namespace kivo
