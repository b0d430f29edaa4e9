#include "vehicle_frame.h"

#include <cmath>

#include "actor_frame.h"
#include "actor_vectors.h"
#include "kivo/support/matrix.h"
#include "kivo/support/vector.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr long double kPi = 3.14159265L;
constexpr float kStanding = 0.001f;
constexpr float kStraight = 0.000001f;
constexpr float kWheelbase = 2.0f;
constexpr float kTurnLag = 0.4f;

}  // namespace

float YawRateOf(float wheelAngleDegrees) {
  return static_cast<float>(static_cast<long double>(wheelAngleDegrees) * kPi * (1.0L / 180.0L));
}

bool VehicleMoves(float speed) { return speed > kStanding || speed < -kStanding; }
bool VehicleTurns(float yawRate) { return yawRate < -kStraight || yawRate > kStraight; }

void RotateRows(RTFMatrix4x4* m, const RTFMatrix4x4& r) {
  RTFMatrix3x3 a{}, b{}, product{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      a.m[i][j] = m->m[i][j];
      b.m[i][j] = r.m[i][j];
    }
  Mat3Multiply(a, b, &product);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m->m[i][j] = product.m[i][j];
}

float AdvanceVehicleFrame(RTTeskActorWrapper& w, float dt, bool bicycle) {
  if (w.MoveReverse) w.Speed = -w.Speed;
  const float yawRate = YawRateOf(w.WheelAngle);
  float yawStep = 0.0f;
  if (!bicycle)
    yawStep = w.MoveReverse ? -yawRate * dt : yawRate * dt;
  else if (VehicleTurns(yawRate))
    yawStep = w.Speed / (kWheelbase / std::sin(yawRate)) * dt;
  if (VehicleMoves(w.Speed)) {
    if (!bicycle) Vec3LerpClamped(kTurnLag, RTFVector3D{0.0f, yawRate, 0.0f, 0.0f}, &w.AngularVelocity);
    RTFMatrix4x4 turn;
    Mat4RotationY(&turn, yawStep);
    RotateRows(&w.Frame, turn);
  }
  const RTFVector3D forward = Row(w.Frame, kForwardRow);
  RTFVector3D position = Row(w.Frame, kPositionRow);
  position.x += forward.x * w.Speed * dt;
  position.z += forward.z * w.Speed * dt;
  position.y = 0.0f;
  SetRow(&w.Frame, kPositionRow, position);
  return yawRate;
}

PointVelocity VelocityAt(const RTTeskActorWrapper& w, const RTFVector3D& r, float sign) {
  RTFVector3D v{};
  Vec3Cross(w.AngularVelocity, r, &v);
  v = RTFVector3D{v.x * sign, v.y * sign, (v.z + w.Speed) * sign, 0.0f};
  const float length = Vec3Length(v);
  Vec3Normalize(&v);
  return PointVelocity{length, v};
}

}  // namespace tesk::actor
