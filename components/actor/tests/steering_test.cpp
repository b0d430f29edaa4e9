// The steering behaviours and the path geometry on a bare wrapper, as tables of cases: the
// behaviours at their edges, a point mapped onto the path and back, and paths the planner never
// makes (one node, two nodes at one place).
#include "steering.h"

#include <gtest/gtest.h>

#include <vector>

#include "actor_frame.h"
#include "kivo/navigation/navigation_calls.h"
#include "path_geometry.h"

namespace {

using namespace tesk::actor;
using kivo::PathPoint;

RTFVector3D V(float x, float y, float z) { return RTFVector3D{x, y, z, 0}; }

void ExpectNear(const RTFVector3D& actual, const RTFVector3D& expected, float tolerance = 1e-5f) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// A wrapper at the position, heading along +z, with the wrapper's default speeds.
struct Walker {
  RTTeskActorWrapper w{};
  std::vector<PathPoint> path;

  explicit Walker(const RTFVector3D& at = V(0, 0, 0)) {
    SetHeading(&w.Frame, V(0, 0, 1));
    SetRow(&w.Frame, kPositionRow, RTFVector3D{at.x, at.y, at.z, 1});
    w.MaxSpeed = 1.0f;
    w.MaxSteering = 0.1f;
  }
  void Path(std::vector<PathPoint> points) {
    path = std::move(points);
    w.PathPoints = path.data();
    w.PathPointCount = static_cast<uint32_t>(path.size());
  }
};

PathPoint P(float x, float z, float width = 0.25f) { return PathPoint{x, 0, z, 1, width}; }

TEST(Steering, BehavioursAtTheirEdges) {
  Walker seeker;
  seeker.w.Velocity = V(0.5f, 0, 0);
  RTFVector3D out{0, 0, 0, 7};
  SteerForSeek(seeker.w, V(0, 0, 0), 2.0f, &out);
  ExpectNear(out, V(-0.5f * 2.0f * 0.1f, 0, 0));  // at its own position: -velocity x weight x steering
  EXPECT_EQ(out.w, 7) << "the fourth float is left alone";

  Walker arriver;  // 2 from the target, slowing within 4: s = 0.5, the offset not normalised
  SteerForArrive(arriver.w, V(0, 0, 2), 4.0f, &out);
  ExpectNear(out, V(0, 0, 2 * 0.5f * 0.1f));
  SteerForArrive(arriver.w, V(0, 0, 8), 4.0f, &out);
  ExpectNear(out, V(0, 0, 8 * 1.0f * 0.1f));  // s is held at the maximum speed

  Walker braker;  // lateral gain 0: the braking gain times the horizontal seek
  const ActorProperties properties;
  RTFVector3D seek{};
  SteerForSeek(braker.w, V(3, 5, 4), 1.0f, &seek);
  SteerForBrake(braker.w, properties, V(3, 5, 4), 2.0f, &out);
  ExpectNear(out, V(seek.x * 0.2f, 0, seek.z * 0.2f));
}

// Outside the cone the steering turns onto its edge: (forward c + across s) x length, with
// s = sqrt(1 - c d) taken from the product of the cosine and the heading's part.
TEST(Steering, TheConstraintTurnsSteeringOntoTheConesEdge) {
  const struct {
    float degrees;
    RTFVector3D steering;
    RTFVector3D expected;
    bool directed;
  } cases[] = {
      {180, V(0, 0, -2), V(0, 0, -2), true},  // c = -1: never changed
      {120, V(0, 0, 0.5f), V(0, 0, 0.5f), true},
      {60, V(1, 0, -1), V(1.645329f, 0, 0.707107f), true},
      {60, V(0, 0, 0.0005f), V(0, 0, 0.0005f), false},  // too short to have a direction
  };
  for (const auto& c : cases) {
    Walker walker;
    RTFVector3D steering = c.steering;
    EXPECT_EQ(ApplySteeringConstraint(walker.w, c.degrees, &steering), c.directed) << c.degrees;
    ExpectNear(steering, c.expected);
  }
  Walker walker;
  EXPECT_TRUE(IsWithinSteeringCone(walker.w, 45, V(0.5f, 0, 1)));
  EXPECT_FALSE(IsWithinSteeringCone(walker.w, 45, V(1, 0, 0.5f)));
  EXPECT_TRUE(IsWithinSteeringCone(walker.w, 10, V(0, 0, 0))) << "at the actor";
}

TEST(PathGeometry, APointMapsOntoTheNearestSegment) {
  Walker walker;
  walker.Path({P(0, 0), P(0, 4), P(4, 4)});
  const struct {
    RTFVector3D point;
    float along;          // distance along the path
    RTFVector3D nearest;  // on the path
    uint32_t segmentEnd;
  } cases[] = {
      {V(1, 0, 2), 2, V(0, 0, 2), 1},
      {V(0, 0, -3), 0, V(0, 0, 0), 1},  // before the first node: node 0, along 0
      {V(9, 0, 4), 8, V(4, 0, 4), 2},   // past the end: the last node, along the whole length
      {V(2, 0, 2), 2, V(0, 0, 2), 1},   // as near to both segments: the earlier one
  };
  for (const auto& c : cases) {
    EXPECT_FLOAT_EQ(MapPointToPathDistance(walker.w, c.point), c.along);
    float outside = 0;
    RTFVector3D nearest{};
    uint32_t end = 0;
    ASSERT_TRUE(MapPointToPath(walker.w, c.point, &outside, &nearest, &end));
    ExpectNear(nearest, c.nearest);
    EXPECT_EQ(end, c.segmentEnd);
    EXPECT_NEAR(outside, kivo::Vec3Distance(c.point, c.nearest) - 0.25f, 1e-5f);
  }
}

TEST(PathGeometry, TheRadiusFollowsTheWidthsAndProgressNeverGoesBack) {
  Walker walker;
  walker.Path({P(0, 0, 1.0f), P(0, 4, 0.0f), P(4, 4)});
  float outside = 0;
  RTFVector3D nearest{};
  uint32_t end = 0;
  ASSERT_TRUE(MapPointToPath(walker.w, V(0.5f, 0, 1), &outside, &nearest, &end));
  EXPECT_NEAR(outside, 0.5f - 0.75f, 1e-5f) << "a quarter of the way from width 1 to width 0";

  PathProgress progress;
  ASSERT_TRUE(MapPointToPathTracked(walker.w, V(2, 0, 4.5f), &outside, &nearest, &progress));
  EXPECT_EQ(walker.w.PathNode, 2u);
  EXPECT_TRUE(progress.advanced);
  EXPECT_TRUE(progress.lastSegment);
  PathProgress back;
  ASSERT_TRUE(MapPointToPathTracked(walker.w, V(0, 0, 1), &outside, &nearest, &back));
  EXPECT_EQ(walker.w.PathSegment, 0u);
  EXPECT_EQ(walker.w.PathNode, 2u) << "the current node keeps its place";
  EXPECT_FALSE(back.advanced);
}

TEST(PathGeometry, ADistanceMapsBackToAPointOnTheGround) {
  Walker walker;
  walker.Path({PathPoint{0, 1, 0, 1, 0.25f}, PathPoint{0, 1, 4, 1, 0.25f}, PathPoint{3, 1, 4, 1, 0.25f}});
  const struct {
    float distance;
    RTFVector3D expected;
  } cases[] = {
      {2, V(0, 0, 2)},
      {4, V(0, 0, 4)},  // exactly the first segment's length: node 1
      {5.5f, V(1.5f, 0, 4)},
      {100, V(3, 0, 4)},  // beyond the end: the last node
  };
  for (const auto& c : cases) {
    RTFVector3D out{9, 9, 9, 9};
    MapPathDistanceToPoint(walker.w, c.distance, &out);
    ExpectNear(out, c.expected);
  }
  RTFVector3D untouched{9, 9, 9, 9};
  MapPathDistanceToPoint(walker.w, -1, &untouched);
  ExpectNear(untouched, V(9, 9, 9));
}

// Two nodes at one place have no length: the fraction on that segment is 0, not 0 / 0.
TEST(PathGeometry, ASegmentOfNoLengthGivesNumbers) {
  Walker walker;
  walker.Path({P(2, 2, 0.5f), P(2, 2, 0.5f)});
  float outside = 0;
  RTFVector3D nearest{};
  uint32_t end = 0;
  ASSERT_TRUE(MapPointToPath(walker.w, V(2, 0, 3), &outside, &nearest, &end));
  EXPECT_FLOAT_EQ(outside, 0.5f);
  ExpectNear(nearest, V(2, 0, 2));
  RTFVector3D out{};
  MapPathDistanceToPoint(walker.w, 0, &out);
  ExpectNear(out, V(2, 0, 2));
  EXPECT_FLOAT_EQ(MapPointToPathDistance(walker.w, V(5, 0, 5)), 0);
}

// One node is no path: nothing is mapped and following it steers nowhere.
TEST(PathGeometry, APathOfOneNodeHasNoSegment) {
  Walker walker;
  walker.Path({P(3, 3)});
  EXPECT_FALSE(HasPathSegment(walker.w));
  float outside = 7;
  RTFVector3D nearest{1, 1, 1, 1};
  uint32_t end = 9;
  EXPECT_FALSE(MapPointToPath(walker.w, V(0, 0, 0), &outside, &nearest, &end));
  EXPECT_EQ(end, 9u);
  RTFVector3D steering{4, 4, 4, 4};
  walker.w.Velocity = V(1, 0, 0);
  SteerForFollowPath(walker.w, 1.0f, &steering);
  ExpectNear(steering, V(4, 4, 4));
}

TEST(PathGeometry, FollowingSteersBackOnlyFromOutsideThePath) {
  Walker walker(V(0, 0, 1));
  walker.Path({P(0, 0), P(0, 10)});
  walker.w.Velocity = V(0, 0, 1);
  walker.w.Speed = 1;
  RTFVector3D steering{5, 5, 5, 5};
  SteerForFollowPath(walker.w, 1.0f, &steering);
  ExpectNear(steering, V(5, 5, 5));  // the prediction stays within the path
  walker.w.Velocity = V(1, 0, 0);
  SteerForFollowPath(walker.w, 1.0f, &steering);
  RTFVector3D seek{};
  SteerForSeek(walker.w, V(0, 0, 2), 1.0f, &seek);
  ExpectNear(steering, seek);  // a seek toward the path point the speed reaches
}

}  // namespace
