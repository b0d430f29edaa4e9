// Intersection and containment tests. Each returns a count or 1/0 and writes its results through
// the out pointers only on success (a root count of 1 writes only r1). The tolerances are part of
// the behaviour: callers depend on exactly when a grazing ray hits.
#pragma once

#include <cstdint>

#include "kivo/support/math_types.h"
#include "kivo/support/processor.h"
#include "kivo/types.h"

namespace kivo {

// The versions IntersectRayTriangle picks from by gAvx2 (ray_triangle.cpp): sums in extended
// precision, and AVX2 in double settled on the same floats.
namespace ray_triangle {
RTBool IntersectExtended(const RTFVector3D& origin, const RTFVector3D& direction, const RTFVector3D& v0,
                         const RTFVector3D& v1, const RTFVector3D& v2, float* t, float* u, float* v);
RTBool IntersectAvx2(const RTFVector3D& origin, const RTFVector3D& direction, const RTFVector3D& v0,
                     const RTFVector3D& v1, const RTFVector3D& v2, float* t, float* u, float* v);
}  // namespace ray_triangle

// Real roots of a x^2 + b x + c: 0, 1 or 2, with r1 <= r2 when a > 0. A leading coefficient with
// abs(2a) <= 1e-10 gives 0 roots; a discriminant within 1e-10 of 0 gives the one root -b / 2a.
uint32_t SolveQuadratic(float a, float b, float c, float* r1, float* r2);

// Ray parameters t of origin + t direction on the sphere's surface, as SolveQuadratic reports them.
uint32_t IntersectRaySphere(float radius, const RTFVector3D& centre, const RTFVector3D& origin,
                            const RTFVector3D& direction, float* t1, float* t2);

// 1 and t = (d + offset - dot(n, origin)) / dot(n, direction); 0 when the ray runs parallel to
// the plane (abs(dot(n, direction)) < 1e-10).
RTBool IntersectRayPlane(float offset, const RTFVector3D& origin, const RTFVector3D& direction,
                         const Plane& plane, float* t);

// Moeller-Trumbore with back faces culled: 0 when the triangle faces away, is edge-on or
// degenerate (det < 1e-6), or the ray passes outside it. t may be negative (behind the origin).
inline RTBool IntersectRayTriangle(const RTFVector3D& origin, const RTFVector3D& direction, const RTFVector3D& v0,
                                   const RTFVector3D& v1, const RTFVector3D& v2, float* t, float* u, float* v) {
  return gAvx2 ? ray_triangle::IntersectAvx2(origin, direction, v0, v1, v2, t, u, v)
               : ray_triangle::IntersectExtended(origin, direction, v0, v1, v2, t, u, v);
}

// Slab test against an axis-aligned box. t is the entry distance, or the exit distance when the
// origin lies inside the box.
RTBool IntersectRayBox(const RTFVector3D& origin, const RTFVector3D& direction, const RTFVector3D& boxMin,
                       const RTFVector3D& boxMax, float* t);

// Where the line from a through b meets the plane through `planePoint` with the normal n: 1 with
// t = dot(n, planePoint - a) / d and x = a + t (b - a), where d = dot(n, b - a). When d < 1e-6 (the
// line runs parallel to the plane or leaves it behind the normal) it gives 0 with t = 0 and x = a:
// unlike the tests above, this one writes its outputs on both paths.
RTBool IntersectLinePlane(const RTFVector3D& planePoint, const RTFVector3D& a, const RTFVector3D& b,
                          const RTFVector3D& n, RTFVector3D* x, float* t);

// The points p0 + t (p1 - p0), t in [0, 1], at distance r from the centre. The roots are
// (sqrt(D) - f) / 2e and (-f - sqrt(D)) / 2e, with e = |p1 - p0|^2, f = 2 dot(p1 - p0, p0 - c) and
// D the discriminant; -1 when D < 1e-6. Each root within [0, 1], in that order, goes to the next
// of (x1, t1) and (x2, t2), and their count (1 or 2) is the result. With none within: 0 when one
// root lies below 0 and the other above 1 (the segment lies inside the circle), else -1.
int32_t IntersectSegmentCircle2D(const RTFVector2D& centre, float r, const RTFVector2D& p0, const RTFVector2D& p1,
                                 RTFVector2D* x1, RTFVector2D* x2, float* t1, float* t2);

// (b.x - a.x)(c.y - a.y) - (c.x - a.x)(b.y - a.y): positive when c lies left of a->b.
float Orient2D(const RTFVector2D& a, const RTFVector2D& b, const RTFVector2D& c);

// 1 when the winding number of the polygon around the point is not 0; 0 for no vertices.
RTBool PointInPolygon2D(const RTFVector2D* polygon, uint32_t count, const RTFVector2D& point);

// 1 when point.x lies between the ends' x values (inclusive, either order); when both ends share
// their x, the y values are tested the same way instead.
RTBool PointInSegmentExtent2D(const RTFVector3D& point, const RTFVector3D& end1, const RTFVector3D& end2);

// 1 when the segments a0-a1 and b0-b1 meet. Crossing segments are found by their parameters (both
// within [0, 1]) when abs(cross(a1 - a0, b1 - b0)) >= 1e-6; below that they count as parallel and
// meet only when collinear (both cross products with a0 - b0 exactly 0) and overlapping along x,
// or along y when a runs parallel to y. A segment of zero length is a point on the other; two
// points meet when closer than 1e-6.
RTBool SegmentsIntersect2D(const RTFVector2D& a0, const RTFVector2D& a1, const RTFVector2D& b0, const RTFVector2D& b1);

}  // namespace kivo
