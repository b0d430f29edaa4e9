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
#include "vehicle_frame.h"
#include "vehicle_making.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr float kWheelSpin = 3.3333332f;  // radians per unit rolled
constexpr float kFootLag = 0.06f;

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

// V1: the velocity integrated with the variant's damping and steering lag, and the contacts met
// once more; then the frame moved. The yaw rate.
float MoveFrame(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt, float damping,
                float steeringBlend, bool bicycle) {
  w.Damping = damping;
  Vec3LerpClamped(steeringBlend, w.Steering, &w.SmoothedSteering);
  IntegrateVelocity(self, actor, w, dt);
  ResolveContacts(self, actor, w, dt);
  return AdvanceVehicleFrame(w, dt, bicycle);
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
  RotateRows(&m, AboutX(angle));
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

void MoveWheelchair(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt) {
  const float yawRate = MoveFrame(self, actor, w, dt, 0.0f, 1.0f, false);
  const WheelchairModel* chair = w.Vehicle ? WheelchairOf(*w.Vehicle) : nullptr;
  const PointVelocity swivel = VelocityAt(w, RTFVector3D{0.0f, 0.0f, 0.7f, 0.0f}, ReverseSign(w));
  LerpClamped(kFootLag, swivel.length, &w.VehicleAnimationRate);
  if (VehicleTurns(yawRate)) Steer(w.CarryNode, swivel.direction, 0.4f);
  if (!chair) return;
  if (VehicleMoves(w.Speed)) {
    Spin(chair->nodes[kBigWheelLeft], kWheelSpin * w.Speed * dt);
    Spin(chair->nodes[kBigWheelRight], kWheelSpin * w.Speed * dt);
  }
  for (RTInstance caster : {chair->nodes[kCasterLeft], chair->nodes[kCasterRight]})
    if (caster) scene_node::SetTurn(caster, yawRate);
}

void MoveGurney(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt) {
  const float yawRate = MoveFrame(self, actor, w, dt, 0.0f, 0.5f, false);
  GurneyModel* gurney = w.Vehicle ? GurneyOf(*w.Vehicle) : nullptr;
  if (!gurney) return;
  const PointVelocity driver = VelocityAt(w, RTFVector3D{0.0f, 0.0f, -2.4f, 0.0f}, ReverseSign(w));
  LerpClamped(kFootLag, driver.length, &w.VehicleAnimationRate);
  if (VehicleTurns(yawRate)) Steer(w.Vehicle->positions[0].node, driver.direction, 0.6f);
  if (VehicleMoves(w.Speed)) Spin(gurney->nodes[kFrontWheels], kWheelSpin * w.Speed * dt);
  const struct {
    GurneyNode strut, wheel;
    float x;
  } rear[] = {{kLeftRearStrut, kLeftRearWheel, 0.2671f}, {kRightRearStrut, kRightRearWheel, -0.2671f}};
  for (const auto& side : rear) {
    const PointVelocity strut = VelocityAt(w, RTFVector3D{side.x, 0.0f, -0.9897f, 0.0f}, 1.0f);
    if (VehicleTurns(yawRate)) Steer(gurney->nodes[side.strut], strut.direction, 0.8f);
    if (VehicleMoves(w.Speed)) Spin(gurney->nodes[side.wheel], kWheelSpin * strut.length * dt);
  }
  HandsOnBar(w, *gurney);
  if (VehicleMoves(w.Speed)) TurnDriverBody(w, AboutY(-(yawRate * 0.25f)));
}

void MoveAmbulance(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt) {
  MoveFrame(self, actor, w, dt, 0.39f, 10.0f * dt, true);
}

}  // namespace tesk::actor
