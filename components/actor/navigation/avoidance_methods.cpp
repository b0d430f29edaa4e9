// The avoidance behaviours that scripts ask for (see avoidance.h).
#include <algorithm>
#include <cfloat>

#include "actor_frame.h"
#include "actor_vectors.h"
#include "avoidance.h"
#include "game_link.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/vector.h"
#include "tesk/scene/scene_tree_calls.h"
#include "wrapper_lookup.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr float kRayHeight = 0.3f;
constexpr float kFarthestHit = 2.0f;
constexpr float kForwardShare = 0.75f;
constexpr float kSameWay = 0.707f;
constexpr float kOpposed = 0.001f;
constexpr float kSlowPair = 0.9f;

// Whether `other` counts: not the actor itself, nor its target while that one stands.
bool Considered(const RTTeskActorWrapper& w, const RTTeskActorWrapper& other) {
  return &other != &w && (&other != w.TargetActor || other.Moving);
}

// The two actors' spheres, each moving along its heading over t: whether they meet, and how far
// along the relative movement.
bool Meet(const RTTeskActorWrapper& w, const RTTeskActorWrapper& other, float t, float* travel) {
  RTFVector3D contact{};
  return SweptSphereTest(w.PaddedRadius, PositionOf(w), ForwardOf(w), other.PaddedRadius, PositionOf(other),
                         ForwardOf(other), t, travel, &contact) != 0;
}

// Steers past `threat`: 0.75 of the forward steering, and across toward the heading's line more
// strongly the nearer it stands.
void SteerPast(const RTTeskActorWrapper& w, const RTTeskActorWrapper& threat, RTFVector3D* steering) {
  const RTFVector3D forward = ForwardOf(w);
  const RTFVector3D v = Vec3Subtract(PositionOf(threat), PositionOf(w));
  const float along = Vec3Dot(v, forward);
  RTFVector3D lateral{forward.x * along - v.x, forward.y * along - v.y, forward.z * along - v.z, 0.0f};
  Vec3Normalize(&lateral);
  const float most = w.MaxSteering;
  const float a = most * std::min(1.0f, 1.0f / ((Vec3Length(v) - 1.5f) * 0.6666667f * 0.8f + 1.0f));
  steering->x = forward.x * most * kForwardShare + lateral.x * a;
  steering->y = forward.y * most * kForwardShare + lateral.y * a;
  steering->z = forward.z * most * kForwardShare + lateral.z * a;
}

// The behaviour's steering (zero when it writes none) as the result vector of a script call (t).
template <class Behaviour>
RTSuccess SteerFor(RTInstance self, void* object, uint32_t count, Cell* arguments, Cell* result, Behaviour steer) {
  const std::optional<float> t = ScriptArguments(count, arguments).Real(0);
  if (!t) return kRTFailure;
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) {
    RTFVector3D steering{};
    steer(w, *t, &steering);
    WriteVectorResult(result, steering);
  });
}

}  // namespace

RTSuccess SteerForAvoidObstacles(const ActorControllerData& actor, const RTTeskActorWrapper& w, float,
                                 RTFVector3D* steering) {
  const InstanceRef tree = SceneTreeOf(actor);
  const RTFVector3D position = PositionOf(w);
  InstanceRef room;
  if (!tree.get() || !scene_tree::GetRoomByPoint(tree.get(), &position, room.out())) return kRTFailure;
  const RTFVector3D origin{position.x, kRayHeight, position.z, 0.0f};
  const RTFVector3D forward = ForwardOf(w);
  float distance = 0.0f;
  RTFVector3D point{};
  uint32_t wordA = 0;
  InstanceRef hitNode;
  if (!scene_tree::RayHitTest(tree.get(), room.get(), &origin, &forward, &distance, &point, &wordA, hitNode.out()) ||
      distance > kFarthestHit)
    return kRTFailure;
  // The lateral part, taken from a point of the forward ray itself, is always zero.
  steering->x = forward.x * w.MaxSteering * kForwardShare;
  steering->y = 0.0f;
  steering->z = forward.z * w.MaxSteering * kForwardShare;
  return kRTSuccess;
}

RTSuccess SteerForAvoidActors(const RTTeskActorWrapper& w, float t, RTFVector3D* steering) {
  const RTTeskActorWrapper* threat = nullptr;
  if (w.NeighbourQueryList) {
    float travel = 0.0f;
    for (auto* other : ListItems<RTTeskActorWrapper>(w.FreeNeighbourList))
      if (Considered(w, *other) && Meet(w, *other, t, &travel) &&
          (Vec3Dot(ForwardOf(*other), ForwardOf(w)) >= kSameWay || !other->CanMove))
        threat = other;
    float best = FLT_MAX;
    for (auto* other : ListItems<RTTeskActorWrapper>(w.NeighbourList)) {
      if (!Considered(w, *other)) continue;
      const bool overlap = Vec3Distance(PositionOf(w), PositionOf(*other)) < w.PaddedRadius + other->PaddedRadius;
      travel = 0.0f;
      const bool meets = Meet(w, *other, t, &travel) && travel > 0.0f && travel < t;
      if (!meets && !overlap) continue;
      if (!meets) travel = 0.0f;
      if (travel < best) {
        threat = other;
        best = travel;
      }
    }
  }
  if (!threat) return kRTSuccess;
  const float q = Vec3Dot(ForwardOf(*threat), ForwardOf(w));
  if (q > kOpposed && threat->Speed >= w.Speed && w.Speed + threat->Speed > kSlowPair) return kRTFailure;
  SteerPast(w, *threat, steering);
  return kRTSuccess;
}

RTSuccess SteerToAvoidObstacles(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM) {
  const ActorControllerData* actor = StateOf(self);
  return SteerFor(self, object, count, arguments, result,
                  [&](RTTeskActorWrapper& w, float t, RTFVector3D* out) { SteerForAvoidObstacles(*actor, w, t, out); });
}

RTSuccess SteerToAvoidActors(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM) {
  return SteerFor(self, object, count, arguments, result,
                  [](RTTeskActorWrapper& w, float t, RTFVector3D* out) { SteerForAvoidActors(w, t, out); });
}

}  // namespace tesk::actor
