// The part of a vehicle's step that moves its driver's frame, once the velocity is integrated: the
// speed signed by the reverse flag, the turn by the wheel angle, the move along the frame's own
// forward. And the velocity of a point of the vehicle, which its wheels and swivels follow.
#pragma once

#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// The yaw rate in radians per second of a wheel angle in degrees, converted in extended precision.
float YawRateOf(float wheelAngleDegrees);

// Reversing negates the speed. A wheelchair or gurney turns at the yaw rate (the other way when
// reversing); the ambulance (`bicycle`) as a bicycle of wheelbase 2.0 at the signed speed. While
// moving, the frame turns by the step (a wheelchair's or gurney's angular velocity lagging toward
// the yaw rate) and moves along its forward on the floor. Returns the yaw rate.
float AdvanceVehicleFrame(RTTeskActorWrapper& w, float dt, bool bicycle);

struct PointVelocity {
  float length;
  RTFVector3D direction;  // normalised
};
// The turn's part at the point r of the vehicle's frame plus the roll along z, both negated by
// sign -1.
PointVelocity VelocityAt(const RTTeskActorWrapper& w, const RTFVector3D& r, float sign);

// The upper-left 3x3 of m := its 3x3 x that of r; the position row stays.
void RotateRows(RTFMatrix4x4* m, const RTFMatrix4x4& r);

bool VehicleMoves(float speed);
bool VehicleTurns(float yawRate);

}  // namespace tesk::actor
