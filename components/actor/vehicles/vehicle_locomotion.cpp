#include "vehicle_locomotion.h"

#include <cmath>

#include "actor_frame.h"
#include "actor_vectors.h"
#include "contacts.h"
#include "driver_pose.h"
#include "kivo/actor/vehicle_record.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/matrix.h"
#include "kivo/support/vector.h"
#include "locomotion.h"
#include "vehicle_making.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr long double kPi = 3.14159265L;
constexpr float kWheelSpin = 3.3333332f;  // radians per unit rolled
constexpr float kStanding = 0.001f;
constexpr float kStraight = 0.000001f;
constexpr float kWheelbase = 2.0f;
constexpr float kFootLag = 0.06f;

bool Moves(float speed) { return speed > kStanding || speed < -kStanding; }
bool Turns(float yawRate) { return yawRate < -kStraight || yawRate > kStraight; }

// The upper-left 3x3 of m := its 3x3 x that of r; the position row stays.
void Rotate(RTFMatrix4x4* m, const RTFMatrix4x4& r) {
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

RTFMatrix4x4 AboutY(float angle) {
  RTFMatrix4x4 r;
  Mat4RotationY(&r, angle);
  return r;
}

RTFMatrix4x4 AboutX(float angle) {
  RTFMatrix4x4 r;
  Mat4RotationX(&r, angle);
  return r;
}

// Steps V1 to V6 of every vehicle; the yaw rate.
struct Lag {
  float damping;
  float steeringBlend;  // the share of the way to the steering per step
};

float MoveFrame(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt, const Lag& lag,
                bool bicycle) {
  w.Damping = lag.damping;
  Vec3LerpClamped(lag.steeringBlend, w.Steering, &w.SmoothedSteering);
  IntegrateVelocity(self, actor, w, dt);
  ResolveContacts(self, actor, w, dt);
  if (w.MoveReverse) w.Speed = -w.Speed;
  const float yawRate = YawRateOf(w.WheelAngle);
  float yawStep = 0.0f;
  if (bicycle) {
    if (Turns(yawRate)) yawStep = w.Speed / (kWheelbase / std::sin(yawRate)) * dt;
  } else {
    yawStep = w.MoveReverse ? -yawRate * dt : yawRate * dt;
  }
  if (Moves(w.Speed)) {
    if (!bicycle) Vec3LerpClamped(0.4f, RTFVector3D{0.0f, yawRate, 0.0f, 0.0f}, &w.AngularVelocity);
    Rotate(&w.Frame, AboutY(yawStep));
  }
  const RTFVector3D forward = Row(w.Frame, kForwardRow);
  RTFVector3D position = Row(w.Frame, kPositionRow);
  position.x += forward.x * w.Speed * dt;
  position.z += forward.z * w.Speed * dt;
  position.y = 0.0f;
  SetRow(&w.Frame, kPositionRow, position);
  return yawRate;
}

// The velocity of a point of the vehicle: the turn's part (negated with `sign` -1) and the roll.
struct PointVelocity {
  float length;
  RTFVector3D direction;
};
PointVelocity VelocityAt(const RTTeskActorWrapper& w, const RTFVector3D& r, float sign) {
  RTFVector3D v{};
  Vec3Cross(w.AngularVelocity, r, &v);
  v = RTFVector3D{v.x * sign, v.y * sign, v.z * sign + w.Speed * sign, 0.0f};
  const float length = Vec3Length(v);
  Vec3Normalize(&v);
  return PointVelocity{length, v};
}

// The node's forward lags toward `toward` by t and its frame is rebuilt from it.
void Steer(RTInstance node, const RTFVector3D& toward, float t) {
  const RTFMatrix4x4* local = nullptr;
  if (!node || !scene_node::GetLocalMatrix(node, &local) || !local) return;
  RTFMatrix4x4 m = *local;
  RTFVector3D forward = Row(m, kForwardRow);
  Vec3LerpClamped(t, toward, &forward);
  SetHeading(&m, forward);
  scene_node::SetLocalMatrix(node, &m);
}

// The wheel node turns about its axle by `angle`.
void Spin(RTInstance node, float angle) {
  const RTFMatrix4x4* local = nullptr;
  if (!node || !scene_node::GetLocalMatrix(node, &local) || !local) return;
  RTFMatrix4x4 m = *local;
  Rotate(&m, AboutX(angle));
  scene_node::SetLocalMatrix(node, &m);
}

float ReverseSign(const RTTeskActorWrapper& w) { return w.MoveReverse ? -1.0f : 1.0f; }

void HandsOnBar(RTTeskActorWrapper& w, const GurneyModel& gurney) {
  const RTFMatrix4x4* world = nullptr;
  const RTFMatrix4x4* toBody = nullptr;
  if (!scene_node::GetWorldMatrix(gurney.loaded.modelRoot, &world) || !world ||
      !scene_node::GetInverseWorldMatrix(w.BodyNode, &toBody) || !toBody)
    return;
  RTFMatrix4x4 placed, left, right;
  Mat4Multiply(gurney.leftGrip, *world, &placed);
  Mat4Multiply(placed, *toBody, &left);
  Mat4Multiply(gurney.rightGrip, *world, &placed);
  Mat4Multiply(placed, *toBody, &right);
  PoseDriverArms(w, left, right);
}

}  // namespace

float YawRateOf(float wheelAngleDegrees) {
  return static_cast<float>(static_cast<long double>(wheelAngleDegrees) * kPi * (1.0L / 180.0L));
}

void MoveWheelchair(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt) {
  const float yawRate = MoveFrame(self, actor, w, dt, Lag{0.0f, 1.0f}, false);
  const WheelchairModel* chair = w.Vehicle ? WheelchairOf(*w.Vehicle) : nullptr;
  const PointVelocity swivel = VelocityAt(w, RTFVector3D{0.0f, 0.0f, 0.7f, 0.0f}, ReverseSign(w));
  LerpClamped(kFootLag, swivel.length, &w.VehicleAnimationRate);
  if (Turns(yawRate)) Steer(w.CarryNode, swivel.direction, 0.4f);
  if (!chair) return;
  if (Moves(w.Speed)) {
    Spin(chair->nodes[kBigWheelLeft], kWheelSpin * w.Speed * dt);
    Spin(chair->nodes[kBigWheelRight], kWheelSpin * w.Speed * dt);
  }
  for (RTInstance caster : {chair->nodes[kCasterLeft], chair->nodes[kCasterRight]})
    if (caster) scene_node::SetTurn(caster, yawRate);
}

void MoveGurney(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt) {
  const float yawRate = MoveFrame(self, actor, w, dt, Lag{0.0f, 0.5f}, false);
  GurneyModel* gurney = w.Vehicle ? GurneyOf(*w.Vehicle) : nullptr;
  if (!gurney) return;
  const PointVelocity driver = VelocityAt(w, RTFVector3D{0.0f, 0.0f, -2.4f, 0.0f}, ReverseSign(w));
  LerpClamped(kFootLag, driver.length, &w.VehicleAnimationRate);
  if (Turns(yawRate)) Steer(w.Vehicle->positions[0].node, driver.direction, 0.6f);
  if (Moves(w.Speed)) Spin(gurney->nodes[kFrontWheels], kWheelSpin * w.Speed * dt);
  const struct {
    GurneyNode strut, wheel;
    float x;
  } rear[] = {{kLeftRearStrut, kLeftRearWheel, 0.2671f}, {kRightRearStrut, kRightRearWheel, -0.2671f}};
  for (const auto& side : rear) {
    const PointVelocity strut = VelocityAt(w, RTFVector3D{side.x, 0.0f, -0.9897f, 0.0f}, 1.0f);
    if (Turns(yawRate)) Steer(gurney->nodes[side.strut], strut.direction, 0.8f);
    if (Moves(w.Speed)) Spin(gurney->nodes[side.wheel], kWheelSpin * strut.length * dt);
  }
  HandsOnBar(w, *gurney);
  if (Moves(w.Speed)) TurnDriverBody(w, AboutY(-(yawRate * 0.25f)));
}

void MoveAmbulance(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt) {
  MoveFrame(self, actor, w, dt, Lag{0.39f, 10.0f * dt}, true);
}

}  // namespace tesk::actor
