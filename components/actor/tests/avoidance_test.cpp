// Looking ahead in the test environment: the obstacle probe against walls, corners and the cabinet,
// the walking step's probes, the actor probe's threats and exclusions, and the two avoidance
// behaviours of the script.
#include "avoidance.h"

#include <cmath>

#include "actor_frame.h"
#include "kivo/scene/room_calls.h"
#include "navigation_fixture.h"
#include "walking_probes.h"
#include "walking_step.h"

namespace {

using namespace actortest;
namespace actor = tesk::actor;
namespace calls = kivo::actor;

RTFVector3D Unit(float x, float z) {
  const float length = std::hypot(x, z);
  return At(x / length, 0, z / length);
}

class Avoidance : public NavigationTest {
 protected:
  // A character at the point heading along (x, z) at the speed.
  RTTeskActorWrapper* Walker(int* object, RTFVector3D at, RTFVector3D heading, float speed) {
    RTTeskActorWrapper* w = Place(object, at);
    if (!w) return nullptr;
    actor::SetHeading(&w->Frame, heading);
    w->Velocity = At(heading.x * speed, 0, heading.z * speed);
    w->Speed = speed;
    w->Moving = 1;
    return w;
  }
  static void ExpectVector(const RTFVector3D& v, float x, float y, float z, const char* what) {
    EXPECT_NEAR(v.x, x, 1e-5f) << what;
    EXPECT_NEAR(v.y, y, 1e-5f) << what;
    EXPECT_NEAR(v.z, z, 1e-5f) << what;
  }

  int objects_[3] = {};
};

TEST_F(Avoidance, TheObstacleProbeStopsInACornerAndSteersAlongWallsAndAwayFromNodes) {
  const RTFVector3D untouched = At(7, 7, 7);
  const struct {
    const char* what;
    RTFVector3D at, heading;
    RTSuccess found;
    bool wedged;
    float x, z;  // the direction, in units of the maximum steering (untouched when wedged)
  } cases[] = {
      {"wedged in a corner: the feelers' hits 0.21 apart", At(-5.85f, 0, -3.85f), Unit(-1, -1), 1, true, 0, 0},
      {"a wall 13.5 sweeps ahead", At(-3, 0, 0.5f), Unit(-1, 0), 0, false, 0, 0},
      {"a wall within 2 sweeps", At(-5.5f, 0, 0.5f), Unit(-1, 0), 1, false, -0.75f, 0},
      {"the cabinet's corner to the right", At(-2.2f, 0, -2.1f), Unit(-1, 0), 1, false, -0.7f, 1.0f},
  };
  for (const auto& c : cases) {
    RTTeskActorWrapper* w = Walker(&objects_[0], c.at, c.heading, c.wedged ? 1.5f : 1.0f);
    ASSERT_NE(w, nullptr) << c.what;
    w->GoalInCorner = 0;
    RTFVector3D d = untouched;
    EXPECT_EQ(actor::ProbeObstacles(actor(), *w, 0.2f, &d), c.found) << c.what;
    EXPECT_EQ(std::make_tuple(w->Moving, w->GoalInCorner), c.wedged ? std::make_tuple(0u, 1u) : std::make_tuple(1u, 0u))
        << c.what;
    if (c.wedged || !c.found)
      ExpectVector(d, 7, 7, 7, c.what);
    else
      ExpectVector(d, c.x * w->MaxSteering, 0, c.z * w->MaxSteering, c.what);
    Destroy(&objects_[0]);
  }
}

TEST_F(Avoidance, AWedgedWalkerRecordsAnObstacleWithZeroSteering) {
  RTTeskActorWrapper* w = Walker(&objects_[0], At(-5.85f, 0, -3.85f), Unit(-1, -1), 1.5f);
  ASSERT_NE(w, nullptr);
  bool lastSegment = false;
  bool decided = false;
  // The obstacle probe runs on nine draws in ten.
  for (int step = 0; step < 20 && !decided; ++step) {
    w->Steering = At(1, 1, 1);
    decided = actor::ProbeAhead(controller(), actor(), *w, &lastSegment);
  }
  ASSERT_TRUE(decided);
  EXPECT_EQ(w->SteeringState, actor::kAvoidingObstacle);
  ExpectVector(w->Steering, 0, 0, 0, "zero steering");
  EXPECT_EQ(std::make_tuple(w->Moving, w->GoalInCorner), std::make_tuple(0u, 1u));
}

TEST_F(Avoidance, TheActorProbeSidestepsTheThreatButNeverItsTarget) {
  RTInstance room = Stored(kFirstRoom);
  const struct {
    const char* what;
    bool weak;
    uint32_t mode;
    float speed, maxSpeed;
    bool target;
    uint32_t roomFlags;
    RTSuccess found;
    float z;  // the direction's z in units of speed / maximum speed x maximum steering
  } cases[] = {
      {"head-on, full gain", false, 10, 1.0f, 1.1f, false, 0, 1, -1.5f},
      {"head-on, weak", true, 10, 1.0f, 1.1f, false, 0, 1, -0.1f},
      {"the target actor", false, 10, 1.0f, 1.1f, true, 0, 0, 0},
      {"a room without avoidance", false, 10, 1.0f, 1.1f, false, 0x80, 0, 0},
      {"zero speed", false, 10, 0.0f, 1.1f, false, 0, 1, 0},
      {"a maximum speed of 0", false, 10, 1.0f, 0.0f, false, 0, 1, 0},
      {"a driver without a vehicle record", false, 1, 1.0f, 1.1f, false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    RTTeskActorWrapper* w = Walker(&objects_[0], At(-4, 0, 0), Unit(1, 0), 1.0f);
    RTTeskActorWrapper* other = Walker(&objects_[1], At(-2, 0, 0.1f), Unit(-1, 0), 1.0f);
    ASSERT_TRUE(w && other) << c.what;
    w->Speed = c.speed;
    w->MaxSpeed = c.maxSpeed;
    w->DistanceOnPath = 10.0f;
    other->VehicleMode = c.mode;
    w->TargetActor = c.target ? other : nullptr;
    kivo::ListAppend(c.weak ? w->FreeNeighbourList : w->NeighbourList, other);
    w->NeighbourQueryList = w->NeighbourList;
    ASSERT_EQ(kivo::room::SetFlags(room, c.roomFlags), kRTSuccess);
    RTFVector3D d{};
    EXPECT_EQ(actor::SteerToAvoidActorsC2(controller(), actor(), *w, 6.0f, &d), c.found) << c.what;
    const float share = c.maxSpeed != 0.0f ? c.speed / c.maxSpeed : 0.0f;
    ExpectVector(d, 0, 0, c.z * share * w->MaxSteering, c.what);
    EXPECT_FALSE(std::isnan(d.x) || std::isnan(d.z)) << c.what;
    kivo::room::SetFlags(room, 0);
    w->NeighbourQueryList = nullptr;
    Destroy(&objects_[0]);
    Destroy(&objects_[1]);
  }
  EXPECT_EQ(Logged("RTTeskActor::SteerToAvoidActorsC2(): Actor is vehicle type, but does not have a valid vehicle "
                   "data pointer."),
            1u);
}

TEST_F(Avoidance, TheNearestApproachIsTheTimeTheActorsComeClosest) {
  RTTeskActorWrapper* a = Walker(&objects_[0], At(-4, 0, 0), Unit(1, 0), 1.0f);
  RTTeskActorWrapper* b = Walker(&objects_[1], At(-2, 0, 0), Unit(-1, 0), 1.0f);
  ASSERT_TRUE(a && b);
  float time = -1.0f;
  EXPECT_EQ(actor::PredictNearestApproachTime(*a, *b, 1.0f, &time), kRTSuccess);
  EXPECT_FLOAT_EQ(time, 1.0f);
  RTFVector3D atA{}, atB{};
  float distance = -1.0f;
  EXPECT_EQ(actor::PredictNearestApproachPositions(a, b, time, &atA, &atB, &distance), kRTSuccess);
  EXPECT_FLOAT_EQ(distance, 0.0f);
  EXPECT_EQ(actor::PredictNearestApproachPositions(a, nullptr, time, &atA, &atB, &distance), kRTFailure);
  b->Velocity = a->Velocity;
  EXPECT_EQ(actor::PredictNearestApproachTime(*a, *b, 1.0f, &time), kRTFailure);
  EXPECT_EQ(time, 0.0f) << "alike movements never come nearer";
}

TEST_F(Avoidance, TheScriptsActorAvoidanceLetsAFasterActorGoingTheSameWayBe) {
  const struct {
    const char* what;
    bool present;
    float theirSpeed;
    RTSuccess result;
    bool steered;
  } cases[] = {
      {"nobody in the way", false, 1.0f, 1, false},
      {"the same way, as fast", true, 1.0f, 0, false},
      {"the same way, slower", true, 0.5f, 1, true},
  };
  for (const auto& c : cases) {
    RTTeskActorWrapper* w = Walker(&objects_[0], At(-4, 0, 0), Unit(1, 0), 1.0f);
    RTTeskActorWrapper* other = Walker(&objects_[1], At(-3.5f, 0, -0.6f), Unit(0.8f, 0.6f), c.theirSpeed);
    ASSERT_TRUE(w && other) << c.what;
    if (c.present) kivo::ListAppend(w->FreeNeighbourList, other);
    w->NeighbourQueryList = w->FreeNeighbourList;
    RTFVector3D steering = At(7, 7, 7);
    EXPECT_EQ(actor::SteerForAvoidActors(*w, 2.0f, &steering), c.result) << c.what;
    EXPECT_EQ(steering.x != 7.0f, c.steered) << c.what;
    if (c.steered) {
      EXPECT_GT(steering.x, 0.0f) << c.what;
    }
    w->NeighbourQueryList = nullptr;
    Destroy(&objects_[0]);
    Destroy(&objects_[1]);
  }
}

TEST_F(Avoidance, TheScriptsObstacleAvoidanceIsThreeQuartersOfTheForwardSteering) {
  RTTeskActorWrapper* w = Walker(&objects_[0], At(-5, 0, 0.5f), Unit(-1, 0), 1.0f);
  ASSERT_NE(w, nullptr);
  RTFVector3D out = At(7, 7, 7);
  Cell time = Real(0.5f);
  Cell result{};
  result.value.vector = &out;
  ASSERT_EQ(kivo::CallMethod(controller(), calls::kLevel, calls::kSteerToAvoidObstacles,
                             reinterpret_cast<varno::RTVarnoSymbol*>(&objects_[0]), 1u, &time, &result, nullptr),
            kRTSuccess);
  ExpectVector(out, -0.75f * w->MaxSteering, 0, 0, "a wall 1 ahead");
  MoveTo(w, &objects_[0], At(-3, 0, 0.5f));
  RTFVector3D far{};
  EXPECT_EQ(actor::SteerForAvoidObstacles(actor(), *w, 0.5f, &far), kRTFailure) << "a wall 3 ahead";
}

}  // namespace
