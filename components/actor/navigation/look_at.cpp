#include "look_at.h"

#include <cfloat>

#include "actor_frame.h"
#include "kivo/support/list.h"
#include "kivo/support/matrix.h"
#include "kivo/support/vector.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr float kAtActor = 0.001f;
constexpr float kTurnShare = 0.4f;
constexpr float kFacingLow = 0.999f;
constexpr float kFacingHigh = 1.001f;

}  // namespace

uint32_t TurnTowardLookAt(RTTeskActorWrapper& w) {
  const RTFVector3D position = Row(w.Frame, kPositionRow);
  RTFVector3D toward{w.LookAtPoint.x - position.x, 0.0f, w.LookAtPoint.z - position.z, 0.0f};
  if (Vec3Normalize(&toward) < kAtActor) return 0;
  RTFVector3D forward = Row(w.Frame, kForwardRow);
  RTFVector3D chord{toward.x - forward.x, 0.0f, toward.z - forward.z, 0.0f};
  const float length = Vec3Normalize(&chord);
  const float along = Vec3Dot(chord, forward);
  const RTFVector3D across{chord.x - forward.x * along, chord.y - forward.y * along, chord.z - forward.z * along,
                           0.0f};
  const float sign = Vec3Dot(across, Row(w.Frame, kSideRow)) >= 0.0f ? 1.0f : -1.0f;
  RTFMatrix4x4 turn;
  Mat4RotationY(&turn, kTurnShare * length * sign);
  Mat4RotateVector(turn, forward, &forward);
  SetHeading(&w.Frame, forward);
  const float facing = Vec3Dot(toward, Row(w.Frame, kForwardRow));
  return facing > kFacingLow && facing < kFacingHigh ? 0 : 1;
}

uint32_t LookAtClosestStep(RTTeskActorWrapper& w) {
  if (w.Moving || !w.NeighbourQueryList) return 0;
  const RTFVector3D position = Row(w.Frame, kPositionRow);
  const RTTeskActorWrapper* closest = nullptr;
  float best = FLT_MAX;
  for (const RTTeskActorWrapper* other : ListItems<RTTeskActorWrapper>(w.NeighbourQueryList)) {
    if (other == &w) continue;
    const float distance = Vec3DistanceSquared(position, Row(other->Frame, kPositionRow));
    if (distance < best) {
      best = distance;
      closest = other;
    }
  }
  if (!closest) return 0;
  w.LookAtPoint = Row(closest->Frame, kPositionRow);
  return TurnTowardLookAt(w);
}

}  // namespace tesk::actor
