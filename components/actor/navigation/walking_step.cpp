#include "walking_step.h"

#include "actor_control.h"
#include "actor_frame.h"
#include "actor_vectors.h"
#include "kivo/support/raise.h"
#include "kivo/support/vector.h"
#include "look_at.h"
#include "path_geometry.h"
#include "script_events.h"
#include "steering.h"
#include "tesk/game_slots.h"
#include "walking_probes.h"
#include "wrapper_lookup.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr float kStill = 1e-6f;
constexpr float kNearEnd = 3.0f;
constexpr float kStopDistance = 0.2f;
constexpr float kWalkingNeighbourhood = 4.0f;
constexpr float kFastSpeed = 2.0f;
constexpr float kBrakeTimeShare = 1.5f;

// A pending turn: ended at once while the actor still moves, else a step of it. True when the step
// is the turn's (steering zero).
bool PendingTurn(const ActorControllerData& actor, RTTeskActorWrapper& w) {
  const bool point = w.LookAtPointPending;
  if (!point && !w.LookAtClosestPending) return false;
  const bool still = Vec3LengthSquared(w.Velocity) <= kStill;
  if (still) w.SteeringState = kTurning;
  if (!still || !(point ? TurnTowardLookAt(w) : LookAtClosestStep(w))) {
    w.LookAtPointPending = 0;
    w.LookAtClosestPending = 0;
    RaiseEvent(actor, w.ScriptObject, point ? kDoneLookAtPoint : kDoneLookAtClosest);
  }
  return true;
}

void EndWalk(RTTeskActorWrapper& w) {
  w.Moving = 0;
  w.LookAtPointPending = 0;
  w.MoveAnimation = 0;
}

// The end of the path: arrive (stopping within 0.2 of the end), or brake toward the last node while
// short of it and within 1.5 times the time the path should take.
void NearPathEnd(const ActorControllerData& actor, RTTeskActorWrapper& w, float remaining) {
  const RTFVector3D last = PathNodeAt(w, w.PathPointCount - 1);
  if (!w.BrakeAtGoal) {
    if (remaining < kStopDistance)
      EndWalk(w);
    else
      SteerForArrive(w, last, w.SlowingDistance, &w.Steering);
    w.SteeringState = kArriving;
    return;
  }
  float now = 0.0f;
  if (actor.game) game::call::GetGameTimeC(actor.game, &now);
  if (remaining >= w.ArrivalTolerance && now - w.MoveStartTime <= kBrakeTimeShare * w.PathLength / w.MaxSpeed) {
    SteerForBrake(w, actor.properties, last, w.SlowingDistance, &w.Steering);
    w.Steering.y = 0.0f;
    w.SteeringState = kBraking;
    return;
  }
  EndWalk(w);
  StopActor(w);
}

void FollowPath(RTTeskActorWrapper& w) {
  const float t = w.Speed > kFastSpeed ? w.PredictionDistance * 0.5f : w.PredictionDistance;
  RTFVector3D back{};
  SteerForFollowPath(w, t, &back);
  w.Steering.x += back.x * 1.0f;
  w.Steering.y = 0.0f;
  w.Steering.z += back.z * 1.0f;
  w.SteeringState = kFollowingPath;
}

void Walk(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w) {
  const RTFVector3D forward = Row(w.Frame, kForwardRow);
  const float bias = w.MaxSteering * 1.0f;
  w.Steering = RTFVector3D{forward.x * bias, forward.y * bias, forward.z * bias, w.Steering.w};
  PathProgress progress;
  if (ProbeAhead(self, actor, w, &progress.lastSegment)) return;
  const RTFVector3D position = Row(w.Frame, kPositionRow);
  const float remaining = w.PathLength - MapPointToPathDistance(w, position);
  w.DistanceOnPath = remaining;
  float outside = 0.0f;
  RTFVector3D nearest{};
  MapPointToPathTracked(w, position, &outside, &nearest, &progress);
  w.NeighbourhoodRadius = kWalkingNeighbourhood;
  if (remaining < kNearEnd && progress.lastSegment)
    NearPathEnd(actor, w, remaining);
  else
    FollowPath(w);
}

}  // namespace

RTSuccess ProcessNavigation(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float,
                            float) {
  w.Steering = RTFVector3D{0.0f, 0.0f, 0.0f, w.Steering.w};
  if (!HasPathSegment(w)) {
    RaiseFormatted(kLevelError, u"RTTeskActor::ProcessNavigation(): Attempted to move without a path.");
    w.Moving = 0;
    return kRTFailure;
  }
  if (!PendingTurn(actor, w)) Walk(self, actor, w);
  ApplySteeringConstraint(w, w.SteeringConstraint, &w.Steering);
  Vec3Truncate(w.MaxSteering, &w.Steering);
  w.Steering.y = 0.0f;
  return kRTSuccess;
}

RTSuccess GetLastSteeringState(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) {
    if (result) result->value.number = static_cast<int32_t>(w.SteeringState);
  });
}

}  // namespace tesk::actor
