// The actor's vector and intersection helpers, as tables of cases.
#include "actor_vectors.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace {

using namespace tesk::actor;

RTFVector3D V(float x, float y, float z) { return RTFVector3D{x, y, z, 0}; }

void ExpectNear(const RTFVector3D& actual, const RTFVector3D& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5f);
  EXPECT_NEAR(actual.y, expected.y, 1e-5f);
  EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

TEST(ActorVectors, TruncateClampsTheLengthAndReturnsItAsItWas) {
  const struct {
    RTFVector3D v;
    float max;
    RTFVector3D expected;
    float length;
  } cases[] = {
      {V(3, 4, 0), 2, V(1.2f, 1.6f, 0), 5},
      {V(3, 4, 0), 10, V(3, 4, 0), 5},  // shorter than the maximum: kept
      {V(0, 0, 0), 1, V(0, 0, 0), 0},   // zero stays zero
  };
  for (const auto& c : cases) {
    RTFVector3D v = c.v;
    EXPECT_FLOAT_EQ(Vec3Truncate(c.max, &v), c.length);
    ExpectNear(v, c.expected);
  }
  EXPECT_FLOAT_EQ(Vec3LengthSquared(V(1, 2, 3)), 14);
}

TEST(ActorVectors, ComponentsAlongAndAcrossAUnitDirection) {
  RTFVector3D along{0, 0, 0, 9};
  RTFVector3D across{0, 0, 0, 9};
  EXPECT_EQ(Vec3ParallelComponent(V(3, 4, 5), V(0, 1, 0), &along), kRTSuccess);
  EXPECT_EQ(Vec3PerpendicularComponent(V(3, 4, 5), V(0, 1, 0), &across), kRTSuccess);
  ExpectNear(along, V(0, 4, 0));
  ExpectNear(across, V(3, 0, 5));
  EXPECT_EQ(along.w, 9) << "the fourth float is kept";
}

TEST(ActorVectors, SweptSpheresTouchOnlyWhenMovingTogetherWithinReach) {
  const struct {
    const char* what;
    RTFVector3D centre2, velocity1, velocity2;
    RTSuccess touch;
    float distance;
  } cases[] = {
      {"head-on", V(10, 0, 0), V(1, 0, 0), V(-1, 0, 0), kRTSuccess, 8},
      {"still", V(10, 0, 0), V(0, 0, 0), V(0, 0, 0), kRTFailure, 0},
      {"apart, though overlapping", V(1, 0, 0), V(-1, 0, 0), V(1, 0, 0), kRTFailure, 0},
      {"too far to reach", V(100, 0, 0), V(1, 0, 0), V(0, 0, 0), kRTFailure, 0},
      {"passing beside", V(10, 5, 0), V(3, 0, 0), V(-3, 0, 0), kRTFailure, 0},
  };
  for (const auto& c : cases) {
    float distance = -1;
    RTFVector3D contact{};
    EXPECT_EQ(SweptSphereTest(1, V(0, 0, 0), c.velocity1, 1, c.centre2, c.velocity2, 5, &distance, &contact), c.touch)
        << c.what;
    if (c.touch) {
      EXPECT_FLOAT_EQ(distance, c.distance) << c.what;
      ExpectNear(contact, V(c.distance, 0, 0));
    }
  }
}

// The quick test may only rule out pairs that the exact test finds apart: over many pairs of
// spheres near the edge of their reach (and some placed inside one another), none that
// SweptSphereTest sees touching, or whose centres lie within the radii, is ruled out.
TEST(ActorVectors, TheQuickTestRulesOutNoSpheresThatMeet) {
  std::mt19937 random(46);
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  const auto vector = [&](float scale) { return V(unit(random) * scale, unit(random) * scale, unit(random) * scale); };
  uint32_t ruledOut = 0;
  for (int i = 0; i < 20000; ++i) {
    const float r1 = 0.3f + unit(random) * 0.2f, r2 = 0.3f + unit(random) * 0.2f;
    const RTFVector3D c1 = vector(20.0f), v1 = vector(3.0f), v2 = vector(3.0f);
    const RTFVector3D c2 = {c1.x + unit(random) * 4.0f, c1.y, c1.z + unit(random) * 4.0f, 0};
    const float step = 0.5f + unit(random) * 0.5f;
    if (!SpheresCannotMeet(r1, c1, v1, r2, c2, v2, step)) continue;
    ++ruledOut;
    float distance = 0;
    RTFVector3D contact{};
    ASSERT_EQ(SweptSphereTest(r1, c1, v1, r2, c2, v2, step, &distance, &contact), kRTFailure) << i;
    const float dx = c2.x - c1.x, dy = c2.y - c1.y, dz = c2.z - c1.z;
    ASSERT_GE(dx * dx + dy * dy + dz * dz, (r1 + r2) * (r1 + r2)) << i;
  }
  EXPECT_GT(ruledOut, 1000u) << "the quick test rules out pairs far apart";
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_FALSE(ApartBeyond(V(nan, 0, 0), V(100, 0, 0), 1.0f)) << "not a number: left to the exact test";
}

// The same for the box around a long movement (an actor looking up to 8 ahead past others walking
// at up to 3): over many pairs around the box's edges, none that SweptSphereTest sees touching is
// ruled out.
TEST(ActorVectors, TheSweptPathTestRulesOutNoSpheresThatMeet) {
  std::mt19937 random(4646);
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  const auto vector = [&](float scale) { return V(unit(random) * scale, unit(random) * scale, unit(random) * scale); };
  uint32_t ruledOut = 0, touching = 0;
  for (int i = 0; i < 50000; ++i) {
    const float r1 = 0.3f + unit(random) * 0.2f, r2 = 0.3f + unit(random) * 0.2f;
    const RTFVector3D c1 = vector(50.0f), v1 = vector(8.0f), v2 = vector(3.0f);
    const float step = i % 2 ? 1.0f : 0.5f + unit(random) * 0.5f;
    const RTFVector3D movement{v1.x * step - v2.x * step, v1.y * step - v2.y * step, v1.z * step - v2.z * step, 0};
    // Anywhere in the box around the path, and a little beyond it.
    const float reach = r1 + r2;
    const auto along = [&](float moved) {
      return std::fmin(0.0f, moved) - 2.5f * reach +
             (unit(random) + 1.0f) * 0.5f * (std::fabs(moved) + 5.0f * reach);
    };
    const RTFVector3D c2 = {c1.x + along(movement.x), c1.y + along(movement.y), c1.z + along(movement.z), 0};
    float distance = 0;
    RTFVector3D contact{};
    const bool touches = SweptSphereTest(r1, c1, v1, r2, c2, v2, step, &distance, &contact) == kRTSuccess;
    touching += touches;
    if (!OutsideSweptPath(reach, c1, movement, c2)) continue;
    ++ruledOut;
    ASSERT_FALSE(touches) << i;
  }
  EXPECT_GT(ruledOut, 10000u) << "the test rules out pairs off the path";
  EXPECT_GT(touching, 1000u) << "pairs that touch are tried";
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_FALSE(OutsideSweptPath(1.0f, V(0, 0, 0), V(nan, 0, 0), V(100, 0, 0))) << "left to the exact test";
  EXPECT_FALSE(OutsideSweptPath(1.0f, V(0, 0, 0), V(0, inf, 0), V(100, 0, 0))) << "left to the exact test";
  EXPECT_FALSE(OutsideSweptPath(1.0f, V(nan, 0, 0), V(1, 0, 0), V(100, 0, 0))) << "left to the exact test";
}

TEST(ActorVectors, SegmentsMeetInAPointAnOverlapOrNotAtAll) {
  const struct {
    const char* what;
    RTFVector3D a0, a1, b0, b1;
    uint32_t result;
    RTFVector3D point1, point2;
  } cases[] = {
      {"crossing", V(0, 0, 0), V(2, 2, 0), V(0, 2, 0), V(2, 0, 0), 1, V(1, 1, 0), {}},
      {"apart", V(0, 0, 0), V(1, 0, 0), V(0, 1, 0), V(1, 2, 0), 0, {}, {}},
      {"parallel", V(0, 0, 0), V(1, 0, 0), V(0, 1, 0), V(1, 1, 0), 0, {}, {}},
      {"collinear overlap", V(0, 0, 0), V(2, 0, 0), V(1, 0, 0), V(3, 0, 0), 2, V(1, 0, 0), V(2, 0, 0)},
      {"collinear, B vertical", V(0, 1, 0), V(0, 5, 0), V(0, 0, 0), V(0, 2, 0), 2, V(0, 1, 0), V(0, 2, 0)},
      {"collinear touching ends", V(0, 0, 0), V(1, 0, 0), V(1, 0, 0), V(2, 0, 0), 1, V(1, 0, 0), {}},
      {"equal points", V(1, 1, 0), V(1, 1, 0), V(1, 1, 0), V(1, 1, 0), 1, V(1, 1, 0), {}},
      {"a point on a proper segment", V(1, 0, 0), V(1, 0, 0), V(0, 0, 0), V(2, 0, 0), 1, V(1, 0, 0), {}},
      {"a point beside a proper segment", V(3, 0, 0), V(3, 0, 0), V(0, 0, 0), V(2, 0, 0), 0, {}, {}},
  };
  for (const auto& c : cases) {
    RTFVector3D point1{};
    RTFVector3D point2{};
    EXPECT_EQ(IntersectSegments2D(c.a0, c.a1, c.b0, c.b1, &point1, &point2), c.result) << c.what;
    if (c.result >= 1) ExpectNear(point1, c.point1);
    if (c.result == 2) ExpectNear(point2, c.point2);
  }
}

TEST(ActorVectors, LerpsStopAtTheTargetAndClosestPointsStayOnTheSegment) {
  RTFVector3D v = V(0, 0, 0);
  EXPECT_EQ(Vec3LerpClamped(3, V(2, 4, 6), &v), kRTSuccess);
  ExpectNear(v, V(2, 4, 6));
  float x = 0;
  EXPECT_EQ(LerpClamped(0.25f, 8, &x), kRTSuccess);
  EXPECT_FLOAT_EQ(x, 2);

  const struct {
    RTFVector3D p, closest;
    float distanceSquared;
  } cases[] = {{V(5, 1, 0), V(2, 0, 0), 10}, {V(-1, 0, 0), V(0, 0, 0), 1}, {V(1, 3, 0), V(1, 0, 0), 9}};
  for (const auto& c : cases) {
    RTFVector3D closest{};
    EXPECT_FLOAT_EQ(ClosestPointOnSegment(c.p, V(0, 0, 0), V(2, 0, 0), &closest), c.distanceSquared);
    ExpectNear(closest, c.closest);
  }
}

// A contact's normal with no direction (predicted positions that coincide) gives no impulse, not
// 0 / 0.
TEST(ActorVectors, AnElasticImpulseNeedsANormalWithADirection) {
  const struct {
    RTFVector3D velocity;
    RTFVector3D normal;
    float inverseMasses;
    bool given;
    float impulse;
  } cases[] = {
      {V(1, 0, 0), V(1, 0, 0), 2, true, -1},      // head-on between equal bodies
      {V(1, 0, 0), V(0, 0, 1), 2, true, 0},       // across the normal
      {V(2, 0, 0), V(-1, 0, 0), 1, true, 4},      // against an immovable obstacle
      {V(1, 0, 0), V(0, 0, 0), 2, false, 7},      // no normal
      {V(1, 0, 0), V(1e-4f, 0, 0), 2, false, 7},  // too short to have a direction
  };
  for (const auto& c : cases) {
    float impulse = 7;
    EXPECT_EQ(ElasticImpulse(c.velocity, c.normal, c.inverseMasses, &impulse), c.given);
    EXPECT_FLOAT_EQ(impulse, c.impulse);
  }
}

}  // namespace
