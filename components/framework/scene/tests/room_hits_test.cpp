// The rooms' hit tests: walls and openings, obstacle boxes placed by their nodes, the in-distance,
// the nearest and the first of equal hits, word B's reference and the sphere tests' filter.
#include <cmath>
#include <functional>

#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/matrix.h"
#include "scene_test.h"

namespace {

using namespace scenetest;
using namespace kivo;

constexpr float kNoLimit = 3.4028235e38f;
constexpr float kQuarterTurn = kHalfPi / 2;

// What a test answered; word B's reference goes back with it.
struct Answer {
  RTSuccess hit = kRTFailure;
  float distance = 0;
  RTFVector3D point{};
  RTFVector3D normal{};
  uint32_t wordA = 99;
  InstanceRef wordB;
};

Answer Ray(RTInstance room, RTFVector3D origin, RTFVector3D direction, float limit = kNoLimit) {
  Answer answer;
  answer.distance = limit;
  answer.hit =
      room::RayHitTest(room, &origin, &direction, &answer.distance, &answer.point, &answer.wordA, answer.wordB.out());
  return answer;
}

Answer Sphere(RTInstance room, RTFVector3D start, RTFVector3D movement, float radius, float limit = kNoLimit) {
  Answer answer;
  answer.distance = limit;
  answer.hit = room::SphereHitTest(room, &start, &movement, radius, &answer.distance, &answer.point, &answer.normal,
                                   &answer.wordA, answer.wordB.out());
  return answer;
}

void ExpectAt(const RTFVector3D& got, const RTFVector3D& want, const char* what) {
  EXPECT_NEAR(got.x, want.x, 1e-4f) << what;
  EXPECT_NEAR(got.y, want.y, 1e-4f) << what;
  EXPECT_NEAR(got.z, want.z, 1e-4f) << what;
}

class RoomHits : public SceneTest {
 protected:
  // Walls at z 0 (edge 0), x 20 (edge 1), z 10 (edge 2) and x 0 (edge 3).
  InstanceRef MakeWard() { return MakeRoom(u"Ward", At(0, 0, 0), At(20, 3, 10)); }

  // A node under `parent` placed at (x, 0, z) and turned about y, listed in the room, whose box
  // reaches `half` from its centre in x and z.
  InstanceRef MakeObstacle(RTInstance room, const char16_t* name, float x, float z, float half, RTInstance parent,
                           float turn = 0) {
    InstanceRef node = MakeNode(name, At(x, 0, z), parent);
    RTFMatrix4x4 placement;
    Mat4RotationY(&placement, turn);
    Mat4SetTranslation(&placement, At(x, 0, z));
    EXPECT_EQ(scene_node::SetLocalMatrix(node.get(), &placement), kRTSuccess);
    const RTFVector3D min = At(-half, 0, -half), max = At(half, 2, half);
    EXPECT_EQ(scene_node::SetObstacleBox(node.get(), &min, &max), kRTSuccess);
    EXPECT_EQ(room::AddNode(room, node.get()), kRTSuccess);
    return node;
  }
};

TEST_F(RoomHits, WallsAreHitAndOpeningsAreNot) {
  InstanceRef ward = MakeWard();
  Answer east = Ray(ward.get(), At(5, 1, 5), At(1, 0.5f, 0));
  ASSERT_EQ(east.hit, kRTSuccess);
  EXPECT_FLOAT_EQ(east.distance, 15);
  ExpectAt(east.point, At(20, 8.5f, 5), "the point is origin + t x direction, y included");
  EXPECT_EQ(east.wordA, room::kHitWall);
  EXPECT_EQ(east.wordB.get(), nullptr);

  const RTBool eastOpen[] = {1, 0, 1, 1};
  ASSERT_EQ(room::SetWalls(ward.get(), eastOpen, 4), kRTSuccess);
  EXPECT_EQ(Ray(ward.get(), At(5, 1, 5), At(1, 0.5f, 0)).hit, kRTFailure) << "through the opening";
  EXPECT_EQ(Sphere(ward.get(), At(5, 1, 5), At(1, 0, 0), 0.5f).hit, kRTFailure);
  Answer west = Sphere(ward.get(), At(5, 1, 5), At(-1, 0.2f, 0), 0.5f);
  ASSERT_EQ(west.hit, kRTSuccess);
  EXPECT_FLOAT_EQ(west.distance, 4.5f);
  ExpectAt(west.point, At(0, 1.9f, 5), "on the wall, y of the centre at contact");
  ExpectAt(west.normal, At(1, 0, 0), "from the wall to the centre");
  EXPECT_EQ(west.wordA, room::kHitWall);
}

TEST_F(RoomHits, OnlyAHitBelowTheInDistanceCountsAndAMissTouchesNothing) {
  InstanceRef ward = MakeWard();
  const struct {
    float limit;
    RTSuccess ray;
    RTSuccess sphere;
  } cases[] = {{kNoLimit, 1, 1}, {15.001f, 1, 1}, {15, 0, 1}, {14.5f, 0, 0}, {0, 0, 0}};
  for (const auto& c : cases) {
    // The ray meets the east wall at 15, the circle of radius 0.5 at 14.5.
    EXPECT_EQ(Ray(ward.get(), At(5, 1, 5), At(1, 0, 0), c.limit).hit, c.ray) << c.limit;
    EXPECT_EQ(Sphere(ward.get(), At(5, 1, 5), At(1, 0, 0), 0.5f, c.limit).hit, c.sphere) << c.limit;
  }

  const RTFVector3D start = At(5, 1, 5), along = At(1, 0, 0);
  float distance = 14.5f;
  RTFVector3D point = At(-1, -2, -3), normal = At(-4, -5, -6);
  uint32_t wordA = 77;
  RTInstance wordB = reinterpret_cast<RTInstance>(0x1234);
  ASSERT_EQ(room::RayHitTest(ward.get(), &start, &along, &distance, &point, &wordA, &wordB), kRTFailure);
  ASSERT_EQ(room::SphereHitTest(ward.get(), &start, &along, 0.5f, &distance, &point, &normal, &wordA, &wordB),
            kRTFailure);
  EXPECT_EQ(distance, 14.5f);
  ExpectAt(point, At(-1, -2, -3), "untouched");
  ExpectAt(normal, At(-4, -5, -6), "untouched");
  EXPECT_EQ(wordA, 77u);
  EXPECT_EQ(wordB, reinterpret_cast<RTInstance>(0x1234));
}

TEST_F(RoomHits, AnObstacleBoxIsPlacedByItsNodesWorldMatrix) {
  InstanceRef ward = MakeWard();
  // Turned an eighth about y and moved by its parent matrix: a diamond with its west corner at
  // (10 - sqrt 2, 5).
  InstanceRef crate = MakeObstacle(ward.get(), u"Crate", 0, 0, 1, ward.get(), kQuarterTurn);
  RTFMatrix4x4 parent;
  Mat4Identity(&parent);
  Mat4SetTranslation(&parent, At(10, 0, 5));
  ASSERT_EQ(scene_node::ApplyParentMatrix(crate.get(), &parent), kRTSuccess);
  const float corner = 10 - std::sqrt(2.0f);

  Answer ray = Ray(ward.get(), At(2, 1, 5), At(1, 0, 0));
  ASSERT_EQ(ray.hit, kRTSuccess);
  EXPECT_NEAR(ray.distance, corner - 2, 1e-5f);
  EXPECT_EQ(ray.wordA, room::kHitObstacle);
  EXPECT_EQ(ray.wordB.get(), crate.get());

  Answer sphere = Sphere(ward.get(), At(2, 1, 5), At(2, 0, 0), 0.5f);
  ASSERT_EQ(sphere.hit, kRTSuccess);
  EXPECT_NEAR(sphere.distance, (corner - 2.5f) / 2, 1e-5f);
  ExpectAt(sphere.point, At(corner, 1, 5), "the box's corner");
  ExpectAt(sphere.normal, At(-1, 0, 0), "from the corner to the centre");
  EXPECT_EQ(sphere.wordB.get(), crate.get());

  ASSERT_EQ(scene_node::SetObstacleBox(crate.get(), nullptr, nullptr), kRTSuccess);
  Answer past = Ray(ward.get(), At(2, 1, 5), At(1, 0, 0));
  EXPECT_EQ(past.wordA, room::kHitWall) << "a node without a box is no obstacle";
  room::RemoveNode(ward.get(), crate.get());
}

// The room keeps each node's placed box between tests: every change of a box or of the matrices
// that place it shows in the next test.
TEST_F(RoomHits, KeptBoxesFollowEveryChangeOfTheirNodes) {
  InstanceRef ward = MakeWard();
  InstanceRef stool = MakeNode(u"Stool", At(5, 0, 5), ward.get());
  ASSERT_EQ(room::AddNode(ward.get(), stool.get()), kRTSuccess);
  InstanceRef crate = MakeObstacle(ward.get(), u"Crate", 10, 5, 1, ward.get());  // x 9 to 11
  auto distance = [&] { return Ray(ward.get(), At(2, 1, 5), At(1, 0, 0)).distance; };
  EXPECT_FLOAT_EQ(distance(), 7);

  RTFMatrix4x4 shift;
  Mat4Identity(&shift);
  Mat4SetTranslation(&shift, At(-4, 0, 0));
  const RTFVector3D wide[2] = {At(-2, 0, -2), At(2, 2, 2)}, small[2] = {At(-0.5f, 0, -0.5f), At(0.5f, 1, 0.5f)};
  const RTFVector3D moved = At(12, 0, 5);
  const struct {
    const char* change;
    std::function<void()> make;
    float distance;
  } steps[] = {
      {"translation", [&] { scene_node::SetTranslation(crate.get(), &moved); }, 9},
      {"parent matrix", [&] { scene_node::ApplyParentMatrix(crate.get(), &shift); }, 5},
      {"box", [&] { scene_node::SetObstacleBox(crate.get(), &wide[0], &wide[1]); }, 4},
      {"a box for a node listed without one", [&] { scene_node::SetObstacleBox(stool.get(), &small[0], &small[1]); },
       2.5f},
      {"the node leaving the room", [&] { room::RemoveNode(ward.get(), stool.get()); }, 4},
      {"the node listed again", [&] { room::AddNode(ward.get(), stool.get()); }, 2.5f},
  };
  for (const auto& step : steps) {
    step.make();
    EXPECT_FLOAT_EQ(distance(), step.distance) << step.change;
  }
  for (RTInstance node : {stool.get(), crate.get()}) room::RemoveNode(ward.get(), node);
}

TEST_F(RoomHits, TheNearestHitWinsAndOfEqualOnesTheFirstFound) {
  InstanceRef ward = MakeWard();
  InstanceRef far = MakeObstacle(ward.get(), u"Far", 14, 5, 1, ward.get());
  InstanceRef near = MakeObstacle(ward.get(), u"Near", 8, 5, 1, ward.get());
  InstanceRef twin = MakeObstacle(ward.get(), u"Twin", 8, 5, 1, ward.get());
  InstanceRef outside = MakeObstacle(ward.get(), u"Outside", 21, 2, 1, ward.get());  // its west edge on the wall
  EXPECT_EQ(Ray(ward.get(), At(2, 1, 5), At(1, 0, 0)).wordB.get(), near.get()) << "listed before its twin";
  EXPECT_EQ(Sphere(ward.get(), At(2, 1, 5), At(1, 0, 0), 0.5f).wordB.get(), near.get());
  Answer wall = Ray(ward.get(), At(2, 1, 2), At(1, 0, 0));
  EXPECT_EQ(wall.wordA, room::kHitWall) << "walls come before obstacles";
  EXPECT_FLOAT_EQ(wall.distance, 18);
  for (RTInstance node : {far.get(), near.get(), twin.get(), outside.get()}) room::RemoveNode(ward.get(), node);
}

TEST_F(RoomHits, WordBCarriesOneReferenceForTheCallerOnly) {
  InstanceRef ward = MakeWard();
  InstanceRef far = MakeObstacle(ward.get(), u"Far", 14, 5, 1, ward.get());
  InstanceRef near = MakeObstacle(ward.get(), u"Near", 8, 5, 1, ward.get());
  const uint32_t nearCount = RefCount(near.get()), farCount = RefCount(far.get());
  {
    Answer held = Ray(ward.get(), At(2, 1, 5), At(1, 0, 0));
    EXPECT_EQ(RefCount(near.get()), nearCount + 1);
    EXPECT_EQ(RefCount(far.get()), farCount) << "a candidate that lost keeps no reference";
  }
  for (int i = 0; i < 100; ++i) {
    Ray(ward.get(), At(2, 1, 5), At(1, 0, 0));
    Sphere(ward.get(), At(2, 1, 5), At(1, 0, 0), 0.5f);
  }
  EXPECT_EQ(RefCount(near.get()), nearCount);
  EXPECT_EQ(RefCount(far.get()), farCount);
  for (RTInstance node : {far.get(), near.get()}) room::RemoveNode(ward.get(), node);
}

TEST_F(RoomHits, TheFilterLeavesItsNodeAndThoseBelowItOutOfSphereTestsOnly) {
  InstanceRef ward = MakeWard();
  InstanceRef bed = MakeObstacle(ward.get(), u"Bed", 5, 5, 1, ward.get());      // x 4 to 6
  InstanceRef rail = MakeObstacle(ward.get(), u"Rail", 8, 5, 0.5f, bed.get());  // x 7.5 to 8.5, below the bed
  InstanceRef cart = MakeObstacle(ward.get(), u"Cart", 12, 5, 1, ward.get());   // x 11 to 13
  const RTFVector3D between = At(6.7f, 1, 5), east = At(1, 0, 0), west = At(-1, 0, 0);
  const uint32_t bedCount = RefCount(bed.get());

  EXPECT_EQ(Sphere(ward.get(), between, east, 0.5f).wordB.get(), rail.get());
  ASSERT_EQ(room::SetHitTestFilter(ward.get(), bed.get()), kRTSuccess);
  EXPECT_EQ(RefCount(bed.get()), bedCount + 1) << "the room holds the filter";
  for (int i = 0; i < 2; ++i) {
    Answer past = Sphere(ward.get(), between, east, 0.5f);
    EXPECT_EQ(past.wordB.get(), cart.get()) << "the rail lies below the bed";
    EXPECT_NEAR(past.distance, 3.8f, 1e-5f);
    EXPECT_EQ(Sphere(ward.get(), between, west, 0.5f).wordA, room::kHitWall) << "the bed itself is left out";
  }
  EXPECT_EQ(Ray(ward.get(), between, east).wordB.get(), rail.get()) << "rays take no filter";

  ASSERT_EQ(room::SetHitTestFilter(ward.get(), rail.get()), kRTSuccess);
  EXPECT_EQ(RefCount(bed.get()), bedCount) << "the old filter is given back";
  EXPECT_EQ(Sphere(ward.get(), between, east, 0.5f).wordB.get(), cart.get());
  EXPECT_EQ(Sphere(ward.get(), between, west, 0.5f).wordB.get(), bed.get()) << "the parent of the filter counts";

  InstanceRef folder = MakeFolder(u"Notes");
  EXPECT_EQ(room::SetHitTestFilter(ward.get(), folder.get()), kRTFailure) << "not a scene node";
  EXPECT_EQ(Sphere(ward.get(), between, east, 0.5f).wordB.get(), cart.get()) << "the filter is kept";
  const uint32_t railCount = RefCount(rail.get());
  ASSERT_EQ(room::SetHitTestFilter(ward.get(), nullptr), kRTSuccess);
  EXPECT_EQ(RefCount(rail.get()), railCount - 1);
  EXPECT_EQ(Sphere(ward.get(), between, east, 0.5f).wordB.get(), rail.get());
  for (RTInstance node : {bed.get(), rail.get(), cart.get()}) room::RemoveNode(ward.get(), node);
}

// A circle whose centre stands inside a box (a character placed there) is let out of it, turned or
// not, while the box still holds off circles from outside and rays from anywhere.
TEST_F(RoomHits, ACircleInsideABoxIsLetOut) {
  InstanceRef ward = MakeWard();
  InstanceRef chair = MakeObstacle(ward.get(), u"Chair", 5, 5, 0.3f, ward.get(), kQuarterTurn / 2);
  const struct {
    const char* what;
    RTFVector3D start, movement;
    bool sphereHits, rayHits;
  } cases[] = {
      {"from its centre", At(5, 1, 5), At(1, 0, 0), false, true},
      {"from inside near an edge", At(5.2f, 1, 5), At(0, 0, 1), false, true},
      {"from outside toward it", At(3, 1, 5), At(2, 0, 0), true, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Sphere(ward.get(), c.start, c.movement, 0.3f, 1).hit, c.sphereHits ? kRTSuccess : kRTFailure) << c.what;
    EXPECT_EQ(Ray(ward.get(), c.start, c.movement).wordB.get(), c.rayHits ? chair.get() : nullptr) << c.what;
  }
  room::RemoveNode(ward.get(), chair.get());
}

TEST_F(RoomHits, ARoomGivesBackItsFilterWhenItGoes) {
  InstanceRef ward = MakeWard();
  InstanceRef visitor = MakeNode(u"Visitor", At(3, 0, 3));
  ASSERT_EQ(room::SetHitTestFilter(ward.get(), visitor.get()), kRTSuccess);
  EXPECT_EQ(RefCount(visitor.get()), 2u);
  ward.Reset();
  EXPECT_EQ(RefCount(visitor.get()), 1u);

  // A filter below its room makes a cycle with it that the core's stop breaks; the room's destroy
  // hook then finds the filter gone and leaves it alone (the sanitizers watch this).
  InstanceRef hall = MakeRoom(u"Hall", At(0, 0, 0), At(4, 3, 4));
  InstanceRef bed = MakeNode(u"Bed", At(1, 0, 1), hall.get());
  InstanceRef rail = MakeNode(u"Rail", At(1, 0, 1), bed.get());
  ASSERT_EQ(room::SetHitTestFilter(hall.get(), rail.get()), kRTSuccess);
}

}  // namespace
