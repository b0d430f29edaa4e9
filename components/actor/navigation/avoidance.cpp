#include "avoidance.h"

#include <algorithm>
#include <cfloat>
#include <optional>

#include "actor_frame.h"
#include "actor_vectors.h"
#include "game_link.h"
#include "ground_sweep.h"
#include "kivo/actor/vehicle_record.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/geometry.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/matrix.h"
#include "kivo/support/raise.h"
#include "kivo/support/vector.h"
#include "steering.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr float kFarthestHit = 2.0f;
constexpr float kFeelerSpread = 0.3f;
constexpr float kNarrowestGap = 0.3f;
constexpr float kWallForward = 0.75f;
constexpr float kNodeForward = 0.7f;
constexpr uint32_t kNoAvoidance = 0x80;
using kivo::actor::kOnFoot;
constexpr float kWeakGain = 0.1f;
constexpr float kHeadOn = -0.707f;
constexpr float kSameWay = 0.707f;

// The part of v across the heading, pointing back from v to the heading's line: forward dot(v,
// forward) - v, normalised.
RTFVector3D AcrossToward(const RTFVector3D& v, const RTFVector3D& forward) {
  RTFVector3D lateral = Vec3Subtract(Vec3Scale(forward, Vec3Dot(v, forward)), v);
  Vec3Normalize(&lateral);
  return lateral;
}

// Whether both feelers, at ±0.3 to the side of the sweep, hit walls less than 0.3 apart.
bool Wedged(RTInstance tree, RTInstance room, const RTFVector3D& start, const RTFVector3D& sweep,
            const RTFVector3D& side) {
  const RTFVector3D left = Vec3Add(sweep, Vec3Scale(side, kFeelerSpread));
  const RTFVector3D right = Vec3Subtract(sweep, Vec3Scale(side, kFeelerSpread));
  float f1 = 0.0f, f2 = 0.0f;
  RTFVector3D point{};
  uint32_t wordA = 0;
  InstanceRef hit1, hit2;
  if (!scene_tree::RayHitTest(tree, room, &start, &left, &f1, &point, &wordA, hit1.out()) ||
      !scene_tree::RayHitTest(tree, room, &start, &right, &f2, &point, &wordA, hit2.out()))
    return false;
  return Vec3LengthSquared(Vec3Subtract(Vec3Scale(right, f2), Vec3Scale(left, f1))) < kNarrowestGap * kNarrowestGap;
}

bool InRoomWithoutAvoidance(const RTTeskActorWrapper& w) {
  InstanceRef room;
  uint32_t flags = 0;
  return tesk_scene_node::GetNodeRoom(w.RootNode, room.out()) && room.get() && room::GetFlags(room.get(), &flags) &&
         (flags & kNoAvoidance);
}

// The actor that threatens most: the one met soonest.
struct Threat {
  const RTTeskActorWrapper* actor = nullptr;
  float time = FLT_MAX;
  bool weak = false;
};

// Whether `other`, moving as it does, lies surely off the path of the actor's sphere (of `radius`,
// at `own`, moving `ahead`): the quick part of MeetsSooner, inline in the scans, which rules out most
// of the neighbours.
inline bool OffPath(const RTFVector3D& own, const RTFVector3D& ahead, float radius, const RTTeskActorWrapper& other) {
  const RTFVector3D motion = MotionOf(other);
  const RTFVector3D relative{ahead.x - motion.x, ahead.y - motion.y, ahead.z - motion.z, 0.0f};
  return OutsideSweptPath(radius + other.PaddedRadius, own, relative, PositionOf(other));
}

// Whether `other` (not off the path), moving as it does, meets the actor (its sphere of `radius`
// moving `ahead`) and comes within `reach` of it sooner than the threat so far; the time into *time.
bool MeetsSooner(const RTTeskActorWrapper& w, float radius, const RTFVector3D& ahead, const RTTeskActorWrapper& other,
                 float k, float reach, const Threat& threat, float* time) {
  const RTFVector3D motion = MotionOf(other);
  float travel = 0.0f;
  RTFVector3D contact{};
  if (!SweptSphereTest(radius, PositionOf(w), ahead, other.PaddedRadius, PositionOf(other), motion, 1.0f, &travel,
                       &contact))
    return false;
  PredictNearestApproachTime(w, other, k, time);
  RTFVector3D atA{}, atB{};
  float distance = 0.0f;
  PredictNearestApproachPositions(&w, &other, *time, &atA, &atB, &distance);
  return *time >= 0.0f && *time < threat.time && distance < reach;
}

// How far along `ahead` the actor (raised 0.3 off the floor) runs into the vehicle's bounds grown by
// its radius, in the frame of the vehicle's root.
std::optional<float> DistanceToVehicle(const RTTeskActorWrapper& w, const VehicleRecord& vehicle,
                                       const RTFVector3D& ahead) {
  const RTFMatrix4x4* toLocal = nullptr;
  RTFVector3D min{}, max{};
  if (!scene_node::GetInverseWorldMatrix(vehicle.root, &toLocal) || !toLocal ||
      !scene_node::GetBounds(vehicle.root, &min, &max))
    return std::nullopt;
  RTFVector3D raised = PositionOf(w);
  raised.y += 0.3f;
  RTFVector3D from{}, along{};
  Mat4TransformPoint(*toLocal, raised, &from);
  Mat4RotateVector(*toLocal, ahead, &along);
  const RTFVector3D grow{w.Radius, w.Radius, w.Radius, 0.0f};
  float t = 0.0f;
  if (!IntersectRayBox(from, along, Vec3Subtract(min, grow), Vec3Add(max, grow), &t)) return std::nullopt;
  return t;
}

// Scans the lists for the soonest threat.
Threat FindThreat(const RTTeskActorWrapper& w, float range) {
  Threat threat;
  if (!w.NeighbourQueryList) return threat;
  const RTFVector3D ahead = Vec3Scale(ForwardOf(w), range);
  const RTFVector3D own = PositionOf(w);
  float time = 0.0f;
  for (auto* other : ListItems<RTTeskActorWrapper>(w.FreeNeighbourList))
    if (!OffPath(own, ahead, w.PaddedRadius, *other) &&
        MeetsSooner(w, w.PaddedRadius, ahead, *other, 0.75f, 2.0f * w.PaddedRadius, threat, &time))
      threat = Threat{other, time, true};
  for (auto* other : ListItems<RTTeskActorWrapper>(w.NeighbourList)) {
    if (!other->Visible) continue;
    if (other->VehicleMode != kOnFoot) {
      const VehicleRecord* vehicle = other->Vehicle ? other->Vehicle : other->Ambulance;
      if (!vehicle || !vehicle->root) {
        RaiseFormatted(kLevelError,
                       u"RTTeskActor::SteerToAvoidActorsC2(): Actor is vehicle type, but does not have a valid "
                       u"vehicle data pointer.");
        continue;
      }
      const std::optional<float> distance = DistanceToVehicle(w, *vehicle, ahead);
      if (distance && *distance < threat.time) threat = Threat{other, *distance, false};
      continue;
    }
    if (!OffPath(own, ahead, w.Radius, *other) &&
        MeetsSooner(w, w.Radius, ahead, *other, 2.5f, 6.0f * w.Radius, threat, &time))
      threat = Threat{other, time, threat.weak};
  }
  return threat;
}

// +1 to pass on the side away from `toward` (relative to the actor), else -1.
float SideAwayFrom(const RTTeskActorWrapper& w, const RTFVector3D& toward) {
  return Vec3Dot(Vec3Subtract(toward, PositionOf(w)), Row(w.Frame, kSideRow)) <= 0.0f ? 1.0f : -1.0f;
}

}  // namespace

RTSuccess ProbeObstacles(const ActorControllerData& actor, RTTeskActorWrapper& w, float t, RTFVector3D* direction) {
  RTFVector3D future{};
  ComputeFuturePosition(w, t, &future);
  const InstanceRef tree = SceneTreeOf(actor);
  const RTFVector3D position = PositionOf(w);
  InstanceRef room;
  if (!tree.get() || !scene_tree::GetRoomByPoint(tree.get(), &position, room.out())) return kRTFailure;
  InstanceRef hitNode;
  const GroundSweep s = SweepActorSphere(tree.get(), room.get(), w, position, future, hitNode.out());
  if (!s.hit || s.distance > kFarthestHit) return kRTFailure;
  if (s.wordA == room::kHitWall && Wedged(tree.get(), room.get(), s.start, s.move, Row(w.Frame, kSideRow))) {
    w.Moving = 0;
    w.GoalInCorner = 1;
    return kRTSuccess;
  }
  const RTFVector3D forward = ForwardOf(w);
  const float most = w.MaxSteering;
  if (s.wordA == room::kHitWall) {
    const RTFVector3D lateral = AcrossToward(Vec3Subtract(s.point, s.start), forward);
    *direction = Vec3Add(Vec3Scale(forward, most * kWallForward), Vec3Scale(lateral, most));
  } else if (s.wordA == room::kHitObstacle) {
    RTFVector3D away{s.point.x - position.x, 0.0f, s.point.z - position.z, 0.0f};
    away = Vec3Subtract(away, Vec3Scale(forward, Vec3Dot(away, forward)));
    Vec3Normalize(&away);
    *direction = Vec3Subtract(Vec3Scale(forward, most * kNodeForward), Vec3Scale(away, most));
  } else {
    return kRTSuccess;
  }
  direction->y = 0.0f;
  return kRTSuccess;
}

RTSuccess SteerToAvoidActorsC2(RTInstance, const ActorControllerData& actor, RTTeskActorWrapper& w, float range,
                               RTFVector3D* direction) {
  if (InRoomWithoutAvoidance(w)) return kRTFailure;
  const Threat threat = FindThreat(w, std::min(range, w.DistanceOnPath));
  if (!threat.actor || threat.actor == w.TargetActor) return kRTFailure;
  const RTTeskActorWrapper& other = *threat.actor;
  const float q = Vec3Dot(ForwardOf(w), ForwardOf(other));
  float side = 0.0f, brake = 0.0f;
  if (q < kHeadOn) {
    RTFVector3D own{}, theirs{};
    float distance = 0.0f;
    PredictNearestApproachPositions(&w, &other, threat.time, &own, &theirs, &distance);
    side = SideAwayFrom(w, theirs);
  } else if (q > kSameWay) {
    side = SideAwayFrom(w, PositionOf(other));
    if (!threat.weak) brake = -1.0f;
  } else if (other.Speed <= w.Speed) {
    side = Vec3Dot(Row(w.Frame, kSideRow), MotionOf(other)) <= 0.0f ? 1.0f : -1.0f;
    brake = -1.0f;
  }
  const float gain = threat.weak ? kWeakGain : actor.properties.actorAvoidanceGain;
  // A maximum speed of 0 (set by a script) leaves no share of it to scale by.
  const float share = w.MaxSpeed != 0.0f ? w.Speed / w.MaxSpeed : 0.0f;
  const RTFVector3D turn = Vec3Add(Vec3Scale(ForwardOf(w), brake), Vec3Scale(Row(w.Frame, kSideRow), side));
  const RTFVector3D scaled = Vec3Scale(turn, share * w.MaxSteering * gain);
  direction->x = scaled.x;
  direction->y = scaled.y;
  direction->z = scaled.z;
  return kRTSuccess;
}

RTSuccess PredictNearestApproachTime(const RTTeskActorWrapper& a, const RTTeskActorWrapper& b, float k, float* time) {
  const RTFVector3D v = Vec3Scale(Vec3Subtract(MotionOf(b), MotionOf(a)), k);
  const float s = Vec3Length(v);
  if (s == 0.0f) {
    *time = 0.0f;
    return kRTFailure;
  }
  *time = Vec3Dot(Vec3Scale(v, 1.0f / s), Vec3Subtract(PositionOf(a), PositionOf(b))) / s;
  return kRTSuccess;
}

RTSuccess PredictNearestApproachPositions(const RTTeskActorWrapper* a, const RTTeskActorWrapper* b, float time,
                                          RTFVector3D* atA, RTFVector3D* atB, float* distance) {
  if (!a || !b) return kRTFailure;
  *atA = Vec3Add(PositionOf(*a), Vec3Scale(ForwardOf(*a), a->Speed * time));
  *atB = Vec3Add(PositionOf(*b), Vec3Scale(ForwardOf(*b), b->Speed * time));
  *distance = Vec3Distance(*atA, *atB);
  return kRTSuccess;
}

}  // namespace tesk::actor
