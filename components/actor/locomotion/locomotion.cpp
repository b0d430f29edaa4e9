#include "locomotion.h"

#include "actor_frame.h"
#include "actor_vectors.h"
#include "contacts.h"
#include "kivo/support/vector.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr float kAccelerationLag = 7.0f;
constexpr float kSteeringLag = 5.0f;
constexpr float kWalkingDamping = 0.2f;
constexpr float kStanding = 0.001f;

// One stage: the force at the velocity, the lagged acceleration toward it, its change over dt.
RTFVector3D Stage(RTTeskActorWrapper& w, const RTFVector3D& velocity, float dt) {
  w.Force = RTFVector3D{w.SmoothedSteering.x - w.Damping * velocity.x, w.SmoothedSteering.y - w.Damping * velocity.y,
                        w.SmoothedSteering.z - w.Damping * velocity.z, w.Force.w};
  const RTFVector3D pushed{w.Force.x * w.InverseMass, w.Force.y * w.InverseMass, w.Force.z * w.InverseMass, 0.0f};
  Vec3LerpClamped(kAccelerationLag * dt, pushed, &w.Acceleration);
  return RTFVector3D{w.Acceleration.x * dt, w.Acceleration.y * dt, w.Acceleration.z * dt, 0.0f};
}

bool Moves(float speed) { return speed > kStanding || speed < -kStanding; }

}  // namespace

void IntegrateVelocity(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt) {
  const RTFVector3D k1 = Stage(w, w.Velocity, dt);
  const RTFVector3D k2 =
      Stage(w, RTFVector3D{w.Velocity.x + k1.x, w.Velocity.y + k1.y, w.Velocity.z + k1.z, 0.0f}, dt);
  w.Velocity.x += (k1.x + k2.x) * 0.5f;
  w.Velocity.z += (k1.z + k2.z) * 0.5f;
  w.Velocity.y = 0.0f;
  ResolveContacts(self, actor, w, dt);
  Vec3Truncate(w.MaxSpeed, &w.Velocity);
  w.Speed = Vec3Length(w.Velocity);
}

void MoveWalking(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt) {
  w.Damping = kWalkingDamping;
  Vec3LerpClamped(kSteeringLag * dt, w.Steering, &w.SmoothedSteering);
  IntegrateVelocity(self, actor, w, dt);
  if (Moves(w.Speed)) SetHeading(&w.Frame, w.Velocity);
  const RTFVector3D forward = Row(w.Frame, kForwardRow);
  RTFVector3D position = Row(w.Frame, kPositionRow);
  position.x += forward.x * w.Speed * dt;
  position.z += forward.z * w.Speed * dt;
  position.y = 0.0f;
  SetRow(&w.Frame, kPositionRow, position);
}

}  // namespace tesk::actor
