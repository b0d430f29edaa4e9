// The move of a driven vehicle's frame: backwards when reversing, with the turn reversed for the
// wheelchair and the gurney; the ambulance turns as a bicycle of wheelbase 2.0.
#include <gtest/gtest.h>

#include <cmath>

#include "kivo/actor/actor_calls.h"
#include "kivo/support/matrix.h"
#include "vehicle_frame.h"

namespace {

using tesk::actor::AdvanceVehicleFrame;

RTTeskActorWrapper Driving(float speed, float wheelAngle, bool reverse) {
  RTTeskActorWrapper w{};
  kivo::Mat4Identity(&w.Frame);
  w.Speed = speed;
  w.WheelAngle = wheelAngle;
  w.MoveReverse = reverse ? 1 : 0;
  return w;
}

// The heading's angle about the vertical (0 along +z, positive toward +x).
float Heading(const RTTeskActorWrapper& w) { return std::atan2(w.Frame.m[2][0], w.Frame.m[2][2]); }

TEST(VehicleFrame, AReversedChairOrGurneyMovesBackAlongItsForwardAndTurnsTheOtherWay) {
  for (bool reverse : {false, true}) {
    RTTeskActorWrapper w = Driving(1.0f, 30.0f, reverse);
    const float yawRate = AdvanceVehicleFrame(w, 0.1f, false);
    EXPECT_FLOAT_EQ(yawRate, 0.52359879f);
    EXPECT_EQ(w.Speed, reverse ? -1.0f : 1.0f);
    EXPECT_EQ(std::signbit(w.Frame.m[3][2]), reverse) << "along the forward, or back";
    EXPECT_NEAR(Heading(w), reverse ? -0.052359879f : 0.052359879f, 1e-6f) << "the turn is negated when reversing";
    EXPECT_EQ(w.Frame.m[3][1], 0.0f);
  }
}

TEST(VehicleFrame, TheAmbulanceDrivesStraightAtWheelAngleZeroAndTurnsAtSpeedOverTwoAt90) {
  RTTeskActorWrapper straight = Driving(3.0f, 0.0f, false);
  AdvanceVehicleFrame(straight, 0.5f, true);
  EXPECT_EQ(Heading(straight), 0.0f);
  EXPECT_FLOAT_EQ(straight.Frame.m[3][2], 1.5f);
  RTTeskActorWrapper turning = Driving(3.0f, 90.0f, true);
  AdvanceVehicleFrame(turning, 0.1f, true);
  EXPECT_NEAR(std::fabs(Heading(turning)), 3.0f / 2.0f * 0.1f, 1e-6f) << "speed / 2.0 radians per second";
  EXPECT_EQ(turning.AngularVelocity.y, 0.0f) << "the ambulance keeps no angular velocity";
}

TEST(VehicleFrame, StandingStillNeitherTurnsNorMoves) {
  RTTeskActorWrapper w = Driving(0.0005f, 45.0f, false);
  AdvanceVehicleFrame(w, 0.1f, false);
  EXPECT_EQ(Heading(w), 0.0f);
  EXPECT_EQ(w.AngularVelocity.y, 0.0f);
}

TEST(VehicleFrame, DegreesTurnIntoRadiansInExtendedPrecision) {
  EXPECT_EQ(tesk::actor::YawRateOf(90.0f),
            static_cast<float>(90.0L * 3.14159265L * (1.0L / 180.0L)));
}

}  // namespace
