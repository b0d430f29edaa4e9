// The script's geometric queries: where two ground segments cross, how far a ray goes in the room
// at its origin, and when two moving spheres first touch within a step.
#include "kivo/actor/actor_calls.h"
#include "movement_fixture.h"

namespace {

using namespace actortest;
namespace calls = kivo::actor;

RTFVector3D V(float x, float y, float z) { return RTFVector3D{x, y, z, 0}; }

using HitTests = MovementTest;

TEST_F(HitTests, SegmentsCrossOnTheGround) {
  const struct {
    const char* what;
    RTFVector3D a, b, c, d, expected;
  } cases[] = {
      {"crossing", V(0, 0, 0), V(2, 0, 2), V(0, 0, 2), V(2, 0, 0), V(1, 0, 1)},
      {"heights left out", V(0, 5, 0), V(2, 5, 2), V(0, -3, 2), V(2, 1, 0), V(1, 0, 1)},
      {"meeting at an end", V(0, 0, 0), V(1, 0, 1), V(1, 0, 1), V(2, 0, 0), V(1, 0, 1)},
      {"parallel apart", V(0, 0, 0), V(2, 0, 0), V(0, 0, 1), V(2, 0, 1), V(99, 99, 99)},
      {"collinear overlap: its first point", V(0, 0, 0), V(2, 0, 0), V(1, 0, 0), V(3, 0, 0), V(1, 0, 0)},
  };
  int any = 0;
  for (auto c : cases) {
    const RTFVector3D found =
        VectorResult(calls::kFindIntersection, &any, {Vector(&c.a), Vector(&c.b), Vector(&c.c), Vector(&c.d)});
    EXPECT_NEAR(found.x, c.expected.x, 1e-5f) << c.what;
    EXPECT_NEAR(found.y, c.expected.y, 1e-5f) << c.what;
    EXPECT_NEAR(found.z, c.expected.z, 1e-5f) << c.what;
  }
}

// Sphere 1 moves from A by B, sphere 2 from C to D; radii add up to 1.
TEST_F(HitTests, MovingSpheresTouchWithinTheStep) {
  const struct {
    const char* what;
    RTFVector3D a, b, c, d;
    float touch;
  } cases[] = {
      {"through: the exit, both roots inside", V(0, 0, 0), V(4, 0, 0), V(2, 0, 0), V(2, 0, 0), 0.75f},
      {"only the entry inside", V(0, 0, 0), V(2, 0, 0), V(2, 0, 0), V(2, 0, 0), 0.5f},
      {"both moving", V(0, 0, 0), V(2, 0, 0), V(2, 0, 0), V(0, 0, 0), 0.75f},
      {"grazing", V(0, 0, 1), V(4, 0, 0), V(2, 0, 0), V(2, 0, 0), 0.5f},
      {"no relative motion, overlapping", V(0, 0, 0), V(0, 0, 0), V(0.5f, 0, 0), V(0.5f, 0, 0), -1.0f},
      {"missing", V(0, 0, 5), V(4, 0, 0), V(2, 0, 0), V(2, 0, 0), -1.0f},
  };
  int any = 0;
  for (auto c : cases) {
    Cell result{};
    ASSERT_EQ(Call(calls::kCheckCapsuleIntersection, &any,
                   {Vector(&c.a), Vector(&c.b), Real(0.4f), Vector(&c.c), Vector(&c.d), Real(0.6f)}, &result),
              kRTSuccess);
    EXPECT_NEAR(result.value.real, c.touch, 1e-5f) << c.what;
  }
}

TEST_F(HitTests, ARayGoesToTheWallOfTheRoomAtItsOrigin) {
  int a = 0;
  Walker(&a, 0, 0);
  RTFVector3D north{0, 0, 1, 0};
  RTFVector3D origin{0, 1, 0, 0};
  Cell result{};
  ASSERT_EQ(Call(calls::kCheckRayHitTest, &a, {Vector(&north), Vector(&origin)}, &result), kRTSuccess);
  EXPECT_NEAR(result.value.real, 5.0f, 1e-4f);

  RTFVector3D outside{50, 0, 50, 0};
  result.value.real = 7;
  EXPECT_EQ(Call(calls::kCheckRayHitTest, &a, {Vector(&north), Vector(&outside)}, &result), kRTFailure);
  EXPECT_EQ(Logged("RTTeskActor::CheckRayHitTest(): Unable to get the room at point <50.00, 0.00, 50.00>."), 1u);
  int nobody = 0;
  EXPECT_EQ(Call(calls::kCheckRayHitTest, &nobody, {Vector(&north), Vector(&origin)}, &result), kRTFailure);
  EXPECT_EQ(Logged("RTTeskActor::CheckRayHitTest(): Unable to retrieve actor wrapper."), 1u);
}

}  // namespace
