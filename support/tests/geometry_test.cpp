// Ray tests, 2D containment and the scalar blends, with the tolerances that decide grazing hits.
#include <gtest/gtest.h>

#include <vector>

#include "kivo/support/geometry.h"
#include "kivo/support/interpolate.h"

namespace {

using namespace kivo;

constexpr float kUntouched = -123.0f;

RTFVector3D V(float x, float y, float z) { return {x, y, z, 0.0f}; }

TEST(Geometry, SolveQuadraticCountsAndOrdersRoots) {
  const struct {
    float a, b, c;
    uint32_t count;
    float r1, r2;
  } cases[] = {
      {1, -3, 2, 2, 1, 2},
      {1, 2, 1, 1, -1, kUntouched},
      {-1, 0, 4, 2, 2, -2},  // with a < 0 the first root is the larger
      {1, 0, 1, 0, kUntouched, kUntouched},
      {0, 1, 1, 0, kUntouched, kUntouched},      // not quadratic: no roots
      {4e-11f, 1, 1, 0, kUntouched, kUntouched},  // abs(2a) within 1e-10
      {1, 0, 2e-11f, 1, 0, kUntouched},  // a discriminant of -8e-11 still counts as a double root
  };
  for (const auto& c : cases) {
    float r1 = kUntouched, r2 = kUntouched;
    EXPECT_EQ(SolveQuadratic(c.a, c.b, c.c, &r1, &r2), c.count) << c.a << " " << c.b << " " << c.c;
    EXPECT_EQ(r1, c.r1);
    EXPECT_EQ(r2, c.r2);
  }
}

TEST(Geometry, RaySphereAndRayPlane) {
  float t1 = kUntouched, t2 = kUntouched;
  EXPECT_EQ(IntersectRaySphere(1, V(0, 0, 0), V(0, 0, -5), V(0, 0, 1), &t1, &t2), 2u);
  EXPECT_EQ(t1, 4.0f);
  EXPECT_EQ(t2, 6.0f);
  EXPECT_EQ(IntersectRaySphere(2, V(10, 0, 0), V(0, 0, 0), V(2, 0, 0), &t1, &t2), 2u);
  EXPECT_EQ(t1, 4.0f) << "t is in units of the direction's length";
  EXPECT_EQ(t2, 6.0f);
  EXPECT_EQ(IntersectRaySphere(1, V(0, 0, 0), V(1, 0, -5), V(0, 0, 1), &t1, &t2), 1u) << "grazing";
  EXPECT_EQ(t1, 5.0f);
  EXPECT_EQ(IntersectRaySphere(1, V(0, 0, 0), V(2, 0, -5), V(0, 0, 1), &t1, &t2), 0u);

  const Plane plane{{0, 1, 0, 0}, 2.0f};
  float t = kUntouched;
  EXPECT_EQ(IntersectRayPlane(0, V(0, 0, 0), V(0, 1, 0), plane, &t), 1u);
  EXPECT_EQ(t, 2.0f);
  EXPECT_EQ(IntersectRayPlane(1, V(0, 0, 0), V(0, -2, 0), plane, &t), 1u);
  EXPECT_EQ(t, -1.5f) << "offset moves the plane along its normal; t may be negative";
  t = kUntouched;
  EXPECT_EQ(IntersectRayPlane(0, V(0, 0, 0), V(1, 1e-11f, 0), plane, &t), 0u);
  EXPECT_EQ(t, kUntouched);
}

TEST(Geometry, RayTriangleCullsBackFacesAndReportsHitsBehindTheOrigin) {
  // Front face seen from +z.
  const RTFVector3D v0 = V(0, 0, 0), v1 = V(1, 0, 0), v2 = V(0, 1, 0);
  const struct {
    RTFVector3D origin, direction;
    RTBool hit;
    float t, u, v;
  } cases[] = {
      {V(0.25f, 0.25f, 5), V(0, 0, -1), 1, 5, 0.25f, 0.25f},
      {V(0.25f, 0.5f, 2), V(0, 0, -2), 1, 1, 0.25f, 0.5f},
      {V(0.25f, 0.25f, -5), V(0, 0, -1), 1, -5, 0.25f, 0.25f},  // behind the origin
      {V(0.5f, 0.5f, 5), V(0, 0, -1), 1, 5, 0.5f, 0.5f},        // on the long edge
      {V(0.25f, 0.25f, -5), V(0, 0, 1), 0, 0, 0, 0},            // back face
      {V(2, 2, 5), V(0, 0, -1), 0, 0, 0, 0},
      {V(-0.1f, 0.5f, 5), V(0, 0, -1), 0, 0, 0, 0},
      {V(0.25f, 0.25f, 5), V(1, 0, 0), 0, 0, 0, 0},  // parallel to the face
      {V(0.25f, 0.25f, 5), V(0, 0, -1e-7f), 0, 0, 0, 0},  // det below 1e-6
  };
  for (const auto& c : cases) {
    float t = kUntouched, u = kUntouched, v = kUntouched;
    ASSERT_EQ(IntersectRayTriangle(c.origin, c.direction, v0, v1, v2, &t, &u, &v), c.hit)
        << c.origin.x << " " << c.origin.y << " " << c.origin.z;
    if (c.hit) {
      EXPECT_FLOAT_EQ(t, c.t);
      EXPECT_FLOAT_EQ(u, c.u);
      EXPECT_FLOAT_EQ(v, c.v);
    } else {
      EXPECT_EQ(t, kUntouched);
    }
  }
}

TEST(Geometry, RayBoxSlabs) {
  const RTFVector3D lo = V(-1, -1, -1), hi = V(1, 1, 1);
  const struct {
    RTFVector3D origin, direction;
    RTBool hit;
    float t;
  } cases[] = {
      {V(0, 0, 0), V(1, 0, 0), 1, 1},     // inside: the exit distance
      {V(-5, 0, 0), V(1, 0, 0), 1, 4},    // entry distance
      {V(-5, 0, 0), V(2, 0, 0), 1, 2},
      {V(-5, 1, 0), V(1, 0, 0), 1, 4},    // sliding along a face counts
      {V(-5, 2, 0), V(1, 0, 0), 0, 0},    // parallel to the y slab, outside it
      {V(-5, 0, 0), V(1, 1, 0), 0, 0},    // slabs do not overlap
      {V(5, 0, 0), V(1, 0, 0), 0, 0},     // box behind the ray
      {V(0, 5, 0), V(0, -1, 0), 1, 4},
      {V(0, 0, 0), V(0, 0, 0), 1, 1e6f},  // no direction at all: every slab is unbounded
  };
  for (const auto& c : cases) {
    float t = kUntouched;
    ASSERT_EQ(IntersectRayBox(c.origin, c.direction, lo, hi, &t), c.hit)
        << c.origin.x << " " << c.origin.y << " " << c.direction.x << " " << c.direction.y;
    EXPECT_EQ(t, c.hit ? c.t : kUntouched);
  }
}

TEST(Geometry, WindingNumberContainment) {
  const std::vector<RTFVector2D> square = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  const std::vector<RTFVector2D> clockwise(square.rbegin(), square.rend());
  std::vector<RTFVector2D> twice = square;  // winding number 2, inside by the non-zero rule
  twice.insert(twice.end(), square.begin(), square.end());

  EXPECT_GT(Orient2D({0, 0}, {1, 0}, {0.5f, 1}), 0.0f);
  EXPECT_LT(Orient2D({0, 0}, {1, 0}, {0.5f, -1}), 0.0f);
  EXPECT_EQ(Orient2D({0, 0}, {1, 0}, {3, 0}), 0.0f);

  const struct {
    const std::vector<RTFVector2D>* polygon;
    RTFVector2D point;
    RTBool inside;
  } cases[] = {
      {&square, {0.5f, 0.5f}, 1}, {&square, {1.5f, 0.5f}, 0}, {&square, {0.5f, -0.5f}, 0},
      {&clockwise, {0.5f, 0.5f}, 1}, {&clockwise, {1.5f, 0.5f}, 0}, {&twice, {0.5f, 0.5f}, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PointInPolygon2D(c.polygon->data(), static_cast<uint32_t>(c.polygon->size()), c.point), c.inside)
        << c.point.x << " " << c.point.y;
  EXPECT_EQ(PointInPolygon2D(square.data(), 0, {0.5f, 0.5f}), 0u);
  EXPECT_EQ(PointInPolygon2D(nullptr, 4, {0.5f, 0.5f}), 0u);
}

TEST(Geometry, PointInSegmentExtent) {
  const struct {
    RTFVector3D point, end1, end2;
    RTBool inside;
  } cases[] = {
      {V(1, 99, 0), V(0, 0, 0), V(2, 0, 0), 1},  // only x matters
      {V(2, 0, 0), V(2, 0, 0), V(0, 0, 0), 1},   // inclusive, either order
      {V(-0.5f, 0, 0), V(0, 0, 0), V(2, 0, 0), 0},
      {V(5, 1, 0), V(3, 0, 0), V(3, 2, 0), 1},   // vertical: y is tested
      {V(3, 3, 0), V(3, 2, 0), V(3, 0, 0), 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PointInSegmentExtent2D(c.point, c.end1, c.end2), c.inside) << c.point.x << " " << c.point.y;
}

TEST(Geometry, SegmentIntersection) {
  const struct {
    const char* what;
    RTFVector2D a0, a1, b0, b1;
    RTBool meet;
  } cases[] = {
      {"crossing", {0, 0}, {2, 2}, {0, 2}, {2, 0}, 1},
      {"touching at an end", {0, 0}, {1, 0}, {1, 0}, {1, 5}, 1},
      {"apart, lines crossing", {0, 0}, {1, 0}, {2, -1}, {2, 1}, 0},
      {"parallel, apart", {0, 0}, {2, 0}, {0, 1}, {2, 1}, 0},
      {"collinear, overlapping", {0, 0}, {2, 0}, {1, 0}, {3, 0}, 1},
      {"collinear, disjoint", {0, 0}, {1, 0}, {2, 0}, {3, 0}, 0},
      {"collinear and vertical: z decides", {4, 0}, {4, 2}, {4, 1}, {4, 3}, 1},
      {"collinear and vertical, disjoint", {4, 0}, {4, 1}, {4, 2}, {4, 3}, 0},
      {"a point on the other", {1, 0}, {1, 0}, {0, 0}, {2, 0}, 1},
      {"a point beside the other's line", {1, 1}, {1, 1}, {0, 0}, {2, 0}, 0},
      {"two close points", {1, 1}, {1, 1}, {1, 1.0000001f}, {1, 1.0000001f}, 1},
      {"two points apart", {1, 1}, {1, 1}, {1, 1.01f}, {1, 1.01f}, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SegmentsIntersect2D(c.a0, c.a1, c.b0, c.b1), c.meet) << c.what;
    EXPECT_EQ(SegmentsIntersect2D(c.b0, c.b1, c.a0, c.a1), c.meet) << c.what << ", swapped";
  }
}

TEST(Geometry, LinePlaneWritesItsOutputsOnBothPaths) {
  RTFVector3D x = V(kUntouched, kUntouched, kUntouched);
  float t = kUntouched;
  // The plane x = 2 met by the line from (0, 1, 0) through (1, 1, 0).
  EXPECT_EQ(IntersectLinePlane(V(2, 5, 5), V(0, 1, 0), V(1, 1, 0), V(1, 0, 0), &x, &t), 1u);
  EXPECT_EQ(t, 2.0f);
  EXPECT_EQ(x.x, 2.0f);
  EXPECT_EQ(x.y, 1.0f);
  // Parallel, and leaving the plane behind its normal: t 0 and the line's start.
  for (const RTFVector3D& through : {V(0, 2, 0), V(-1, 1, 0)}) {
    EXPECT_EQ(IntersectLinePlane(V(2, 5, 5), V(0, 1, 0), through, V(1, 0, 0), &x, &t), 0u);
    EXPECT_EQ(t, 0.0f);
    EXPECT_EQ(x.x, 0.0f);
    EXPECT_EQ(x.y, 1.0f);
  }
}

TEST(Geometry, SegmentCircleCountsItsCrossings) {
  const RTFVector2D centre{1, 1};
  const struct {
    const char* what;
    RTFVector2D p0, p1;
    int32_t count;
    float t1, t2;
  } cases[] = {
      {"through: both", {-1, 1}, {3, 1}, 2, 0.75f, 0.25f},
      {"from outside to the centre", {3, 1}, {1, 1}, 1, 0.5f, kUntouched},
      {"from inside out: the second root", {1, 1}, {3, 1}, 1, 0.5f, kUntouched},
      {"inside", {0.5f, 1}, {1.5f, 1}, 0, kUntouched, kUntouched},
      {"short of the circle", {-3, 1}, {-2, 1}, -1, kUntouched, kUntouched},
      {"beyond the circle", {4, 1}, {5, 1}, -1, kUntouched, kUntouched},
      {"missing it", {-1, 5}, {3, 5}, -1, kUntouched, kUntouched},
      {"a point", {0, 0}, {0, 0}, -1, kUntouched, kUntouched},
  };
  for (const auto& c : cases) {
    RTFVector2D x1{kUntouched, kUntouched}, x2{kUntouched, kUntouched};
    float t1 = kUntouched, t2 = kUntouched;
    EXPECT_EQ(IntersectSegmentCircle2D(centre, 1, c.p0, c.p1, &x1, &x2, &t1, &t2), c.count) << c.what;
    EXPECT_EQ(t1, c.t1) << c.what;
    EXPECT_EQ(t2, c.t2) << c.what;
    if (c.count > 0) {
      EXPECT_EQ(x1.x, c.p0.x + c.t1 * (c.p1.x - c.p0.x)) << c.what;
      EXPECT_EQ(x1.y, 1.0f) << c.what;
    }
  }
}

TEST(Interpolation, Blends) {
  EXPECT_EQ(Lerp(2, 4, 0.25f), 2.5f);
  EXPECT_EQ(Lerp(2, 4, 1.5f), 5.0f) << "no clamping";
  EXPECT_EQ(HermiteBlend(0, 1, 0.5f), 0.5f);
  EXPECT_EQ(HermiteBlend(3, 7, 0), 3.0f);
  EXPECT_EQ(HermiteBlend(3, 7, 1), 7.0f);
  EXPECT_FLOAT_EQ(HermiteBlend(0, 1, 0.25f), 0.15625f);
  EXPECT_EQ(CosineInterpolate(0, 1, 0.5f), 0.5f);
  EXPECT_EQ(CosineInterpolate(2, 6, 0), 2.0f);
  EXPECT_EQ(CosineInterpolate(2, 6, 1), 6.0f);
}

}  // namespace
