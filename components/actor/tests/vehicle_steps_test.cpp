// The driving steps of the wheelchair, the gurney and the ambulance on a straight path, as
// functions on a wrapper the test sets up: the stop at the end, the wheel's blend, the speed's
// floors and the ambulance's own speed, and a largest wheel angle of 0.
#include "vehicle_steps.h"

#include <cmath>
#include <functional>

#include "actor_frame.h"
#include "kivo/support/core_memory.h"
#include "navigation_fixture.h"

namespace {

using namespace actortest;
using kivo::PathPoint;
namespace actor = tesk::actor;

// Along +x from the origin, 10 long; the driver heads along +z, so the path lies to its side.
RTTeskActorWrapper Driver(float x, float largest) {
  RTTeskActorWrapper w{};
  actor::SetHeading(&w.Frame, At(0, 0, 1));
  actor::SetRow(&w.Frame, actor::kPositionRow, At(x, 0, 0));
  w.PathPoints = static_cast<PathPoint*>(kivo::CoreAlloc(2 * sizeof(PathPoint)));
  w.PathPoints[0] = PathPoint{0, 0, 0, 0, 0.5f};
  w.PathPoints[1] = PathPoint{10, 0, 0, 0, 0.5f};
  w.PathPointCount = 2;
  w.PathLength = 10.0f;
  w.MaxSpeed = 1.0f;
  w.MaxSteering = 0.6f;
  w.SlowingDistance = 1.0f;
  w.SteeringConstraint = largest;
  w.Velocity = At(0, 0, 0.5f);
  w.Steering = At(9, 9, 9);
  w.DesiredVehicleSpeed = -1.0f;
  w.Moving = w.MoveAnimation = w.LookAtPointPending = 1;
  return w;
}

class VehicleSteps : public NavigationTest {};

TEST_F(VehicleSteps, EachVariantBlendsTheWheelAndChoosesItsSpeed) {
  using Step = std::function<RTSuccess(RTTeskActorWrapper&, float)>;
  // The target lies along the path (+x), straight across the heading and on the driver's side
  // (side = up x forward = (1, 0, 0)): the turn's sign is +1, and turn = 3 x the largest angle,
  // clamped to it.
  const struct {
    const char* what;
    Step step;
    float x, dt, largest, startWheel;
    float wheel;    // after one step
    float desired;  // the speed steered for
    bool stored;
    float scale;
  } cases[] = {
      {"wheelchair", actor::ProcessNavigationWheelchair, 2, 0.03f, 30, 0, 6.0f, 0.8f, true, 0.2f},
      {"gurney", actor::ProcessNavigationGurney, 2, 0.03f, 30, 0, 5.4f, 0.82f, true, 0.2f},
      {"ambulance, a short step", actor::ProcessNavigationAmbulance, 2, 0.03f, 30, 0, 2.7f, 0.8f, false, 1.0f},
      {"ambulance, a long step", actor::ProcessNavigationAmbulance, 2, 0.5f, 30, 0, 30.0f, 0.8f, false, 1.0f},
      {"ambulance, near the end", actor::ProcessNavigationAmbulance, 9, 0.03f, 30, 0, 2.7f, 0.1f, false, 1.0f},
      {"wheelchair near the end", actor::ProcessNavigationWheelchair, 9.5f, 0.03f, 30, 0, 6.0f, 0.4f, true, 0.2f},
      // A wheel turned far: 1 - 26 / 30 and 1 - 25.9 / 30 fall below the floors.
      {"wheelchair, its floor", actor::ProcessNavigationWheelchair, 2, 0.03f, 30, 25, 26.0f, 0.4f, true, 0.2f},
      {"gurney, its floor", actor::ProcessNavigationGurney, 2, 0.03f, 30, 25, 25.9f, 0.2f, true, 0.2f},
      {"wheelchair, a largest angle of 0", actor::ProcessNavigationWheelchair, 2, 0.03f, 0, 0, 0.0f, 1.0f, true, 0.2f},
  };
  for (const auto& c : cases) {
    RTTeskActorWrapper w = Driver(c.x, c.largest);
    w.WheelAngle = c.startWheel;
    EXPECT_EQ(c.step(w, c.dt), kRTSuccess) << c.what;
    EXPECT_NEAR(w.WheelAngle, c.wheel, 1e-4f) << c.what;
    const float expectedZ = (c.desired - 0.5f) * w.MaxSteering * c.scale;
    EXPECT_NEAR(w.Steering.z, expectedZ, 1e-4f) << c.what;
    EXPECT_EQ(w.Steering.x, 0.0f) << c.what;
    EXPECT_FALSE(std::isnan(w.Steering.z)) << c.what;
    EXPECT_NEAR(w.DesiredVehicleSpeed, c.stored ? c.desired : -1.0f, 1e-4f) << c.what;
    EXPECT_EQ(w.Moving, 1u) << c.what;
    kivo::CoreFree(w.PathPoints);
  }
}

TEST_F(VehicleSteps, WithinTwoHundredthsOfTheEndTheyStopWithoutSteering) {
  for (auto step :
       {actor::ProcessNavigationWheelchair, actor::ProcessNavigationGurney, actor::ProcessNavigationAmbulance}) {
    RTTeskActorWrapper w = Driver(9.99f, 30);
    EXPECT_EQ(step(w, 0.03f), kRTSuccess);
    EXPECT_EQ(std::make_tuple(w.Moving, w.MoveAnimation, w.LookAtPointPending), std::make_tuple(0u, 0u, 0u));
    EXPECT_EQ(std::make_tuple(w.Steering.x, w.Steering.z, w.WheelAngle), std::make_tuple(9.0f, 9.0f, 0.0f));
    kivo::CoreFree(w.PathPoints);
  }
}

}  // namespace
