#include "vehicle_seats.h"

#include <cfloat>
#include <optional>

#include "actor_frame.h"
#include "actor_state.h"
#include "driver_pose.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/support/geometry.h"
#include "kivo/support/matrix.h"
#include "kivo/support/raise.h"
#include "kivo/support/vector.h"
#include "vehicle_making.h"
#include "vehicle_nodes.h"
#include "vehicle_pool.h"
#include "wrapper_lookup.h"

namespace tesk::actor {

namespace {

using namespace kivo;
using namespace kivo::actor;

constexpr float kHalfTurn = 1.5707964f;
constexpr uint32_t kTypeBool = 6;

bool InUse(const VehicleRecord& v, int32_t seat) { return v.positions[seat].state == kPositionInUse; }

void Report(const char16_t* text) { RaiseFormatted(kLevelError, u"%s", text); }

// The character's node hangs on the seat, which holds it.
void Attach(VehiclePosition& seat, RTInstance node) {
  HangUnder(node, seat.node);
  seat.attached = node;
  ModuleCore()->ResolveHandle(nullptr, node);
}

void TakeVehicle(RTTeskActorWrapper& w, VehicleRecord& v, uint32_t mode) {
  w.Vehicle = &v;
  w.VehicleMode = mode;
  ++v.users;
}

void PushWheelchair(RTTeskActorWrapper& w, VehicleRecord& v) {
  v.positions[0].state = kPositionInUse;
  if (!LeaveContainerRoom(v.root))
    Report(u"RTTeskActor::UseWheelchairC(): Vehicle root node should have a container room.");
  scene_node::Detach(v.root);
  PlaceAtOrigin(v.root, 0.0f);
  scene_node::AddChild(w.CarryNode, v.root);
  TakeVehicle(w, v, 5);
  w.SteeringConstraint = 50.0f;
  w.Radius = 0.6f;
  w.SlowingDistance = 1.5f;
  w.Mass = 2.0f;
  scene_node::SetForwardOffset(w.MountNode, 0.7f);
}

// A rider's root leaves its room for the seat, turned `yaw` about the vertical; its frame the turn.
void Ride(RTTeskActorWrapper& w, VehiclePosition& seat, float yaw, const char16_t* noRoom) {
  seat.state = kPositionInUse;
  if (!LeaveContainerRoom(w.RootNode)) Report(noRoom);
  Attach(seat, w.RootNode);
  PlaceAtOrigin(w.RootNode, yaw);
  if (yaw == 0.0f)
    Mat4Identity(&w.Frame);
  else
    Mat4RotationY(&w.Frame, yaw);
}

void DriveGurney(RTTeskActorWrapper& w, VehicleRecord& v) {
  v.positions[0].state = kPositionInUse;
  RTFVector3D p{};
  const RTFMatrix4x4* world = nullptr;
  if (scene_node::GetWorldMatrix(v.root, &world) && world) {
    p = Row(*world, kPositionRow);
    w.Frame = *world;
  }
  if (Vec3Distance(p, RTFVector3D{}) <= 1.0f)
    Report(u"[WARNING]: RTTeskActor::UseGurneyC(): The vehicle root position is close to the origin.");
  w.ViewDirectionSet = 1;
  if (!LeaveContainerRoom(v.root))
    Report(u"RTTeskActor::UseGurneyC(): Vehicle root node should have a container room. "
           u"[RTTESKACTOR_GURNEY_POSITION_DRIVER]");
  scene_node::Detach(v.root);
  PlaceAtOrigin(v.root, 0.0f);
  scene_node::AddChild(w.CarryNode, v.root);
  scene_node::Detach(w.BodyNode);
  PlaceAtOrigin(w.BodyNode, 0.0f);
  Attach(v.positions[0], w.BodyNode);
  MoveNodeTo(w.RootNode, p);
  TakeVehicle(w, v, 3);
  w.Mass = 3.0f;
  w.SteeringConstraint = 50.0f;
  w.Radius = 0.6f;
  w.PaddedRadius = 0.65f;
  w.SlowingDistance = 2.5f;
  w.PlanPathOption = 1;
  SetArmsActive(w, 1);
}

// Refusals of the gurney's seats, reported; null when the seat may be taken.
const char16_t* SeatRefusal(const RTTeskActorWrapper& w, const VehicleRecord& v, int32_t seat) {
  if (seat == 0 && InUse(v, 0))
    return u"RTTeskActorVehicle::UseGurneyC(): Position is already in use! [RTTESKACTOR_GURNEY_POSITION_DRIVER]";
  if (seat == 0 && w.Vehicle)
    return u"RTTeskActorVehicle::UseGurneyC(): Actor is already using a vehicle? [RTTESKACTOR_GURNEY_POSITION_DRIVER]";
  if (seat == 1 && InUse(v, 1))
    return u"RTTeskActorVehicle::UseGurneyC(): Position is already in use! [RTTESKACTOR_GURNEY_POSITION_BED]";
  if (seat == 1 && w.Vehicle)
    return u"RTTeskActorVehicle::UseGurneyC(): Actor is already using a vehicle? [RTTESKACTOR_GURNEY_POSITION_BED]";
  return nullptr;
}

// The answer of CanUse*N: a pooled vehicle's active flag; for the characters the full test applies
// to, also the kind, a free seat 1 and no vehicle in use.
RTSuccess CanUse(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result,
                 VehicleKind kind, bool (*fullTest)(int32_t firstWord)) {
  const ActorControllerData* actor = StateOf(self);
  const std::optional<int32_t> handle = ScriptArguments(count, arguments).Integer(0);
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) {
    const VehicleRecord* v = actor && handle ? PooledVehicle(*actor, static_cast<uint32_t>(*handle)) : nullptr;
    bool answer = v && v->active;
    if (v && fullTest(w.AvoidPriority) && (v->kind != kind || InUse(*v, 1) || w.Vehicle)) answer = false;
    if (!result) return;
    result->type = kTypeBool;
    result->value.word = answer ? 1 : 0;
  });
}

bool WheelchairTest(int32_t firstWord) { return firstWord == 0 || firstWord == 1; }
bool GurneyTest(int32_t firstWord) { return firstWord == 0 || firstWord == 1 || firstWord == 3; }

using UseC = RTSuccess (*)(RTInstance, RTTeskActorWrapper&, VehicleRecord&, int32_t);

RTSuccess Use(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, UseC use,
              const char16_t* notFound, const char16_t* refused) {
  const ActorControllerData* actor = StateOf(self);
  const ScriptArguments args(count, arguments);
  const std::optional<int32_t> handle = args.Integer(0);
  const std::optional<int32_t> seat = args.Integer(1);
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) {
    VehicleRecord* v = actor && handle ? PooledVehicle(*actor, static_cast<uint32_t>(*handle)) : nullptr;
    if (!v)
      Report(notFound);
    else if (!use(self, w, *v, seat.value_or(-1)))
      Report(refused);
  });
}

// The ray in the node's space against the box; the distance when it meets it.
std::optional<float> RayMeets(RTInstance node, const RTFVector3D& origin, const RTFVector3D& direction,
                              const RTFVector3D& min, const RTFVector3D& max) {
  const RTFMatrix4x4* toLocal = nullptr;
  if (!scene_node::GetInverseWorldMatrix(node, &toLocal) || !toLocal) return std::nullopt;
  RTFVector3D from{}, along{};
  Mat4TransformPoint(*toLocal, origin, &from);
  Mat4RotateVector(*toLocal, direction, &along);
  float t = 0.0f;
  if (!IntersectRayBox(from, along, min, max, &t)) return std::nullopt;
  return t;
}

// The nearest record the ray meets by `box`, and its pool index; null when none.
template <class Box>
VehicleRecord* Nearest(const ActorControllerData& actor, const RTFVector3D& origin, const RTFVector3D& direction,
                       Box&& box, uint32_t* index) {
  VehicleRecord* best = nullptr;
  float nearest = FLT_MAX;
  uint32_t at = 0;
  for (VehicleRecord* v : ListItems<VehicleRecord>(actor.vehicles)) {
    const std::optional<float> t = box(*v, origin, direction);
    if (t && *t < nearest) {
      nearest = *t;
      best = v;
      *index = at;
    }
    ++at;
  }
  return best;
}

}  // namespace

RTSuccess UseWheelchairC(RTInstance, RTTeskActorWrapper& w, VehicleRecord& v, int32_t seat) {
  if (!v.active) return kRTFailure;
  if (seat == 0) {
    if (v.kind != kWheelchairKind || InUse(v, 0) || w.Vehicle) return kRTFailure;
    PushWheelchair(w, v);
    return kRTSuccess;
  }
  if (seat != 1 || InUse(v, 1) || w.Vehicle) return kRTFailure;
  Ride(w, v.positions[1], 0.0f,
       u"RTTeskActor::UseWheelchairC(): Actor root node should have a container room (unless it was from a save "
       u"game).");
  TakeVehicle(w, v, 6);
  return kRTSuccess;
}

RTSuccess UseGurneyC(RTInstance, RTTeskActorWrapper& w, VehicleRecord& v, int32_t seat) {
  if (v.kind != kGurneyKind) {
    Report(u"RTTeskActorVehicle::UseGurneyC(): Vehicle is not a gurney!");
    return kRTFailure;
  }
  if (!v.active) {
    Report(u"RTTeskActorVehicle::UseGurneyC(): Vehicle is marked as inactive!");
    return kRTFailure;
  }
  if (seat != 0 && seat != 1) {
    RaiseFormatted(kLevelError, u"RTTeskActorVehicle::UseGurneyC(): Position index not valid! (%d)", seat);
    return kRTFailure;
  }
  if (const char16_t* refusal = SeatRefusal(w, v, seat)) {
    Report(refusal);
    return kRTFailure;
  }
  if (seat == 0) {
    DriveGurney(w, v);
    return kRTSuccess;
  }
  Ride(w, v.positions[1], -kHalfTurn,
       u"RTTeskActor::UseGurneyC(): Actor root node should have a container room (unless it was from a save game). "
       u"[RTTESKACTOR_GURNEY_POSITION_BED]");
  TakeVehicle(w, v, 4);
  return kRTSuccess;
}

RTSuccess CanUseWheelchairN(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM) {
  return CanUse(self, object, count, arguments, result, kWheelchairKind, WheelchairTest);
}

RTSuccess CanUseGurneyN(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM) {
  return CanUse(self, object, count, arguments, result, kGurneyKind, GurneyTest);
}

RTSuccess UseWheelchairN(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  return Use(self, object, count, arguments, UseWheelchairC,
             u"RTTeskActorVehicle::UseWheelchairN(): Wheelchair handle was not found in vehicle pool.",
             u"RTTeskActorVehicle::UseWheelchairN(): Unable to use wheelchair.");
}

RTSuccess UseGurneyN(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  return Use(self, object, count, arguments, UseGurneyC,
             u"RTTeskActorVehicle::UseGurneyN(): Vehicle handle was not found in vehicle pool.",
             u"RTTeskActorVehicle::UseGurneyN(): Unable to use gurney.");
}

RTSuccess FindWheelchairClicked(RTInstance self, const RTFVector3D* origin, const RTFVector3D* direction,
                                uint32_t* handle) {
  ActorControllerData* actor = StateOf(self);
  if (!actor || !origin || !direction || !handle) return kRTFailure;
  uint32_t index = 0;
  VehicleRecord* best = Nearest(
      *actor, *origin, *direction,
      [](const VehicleRecord& v, const RTFVector3D& o, const RTFVector3D& d) -> std::optional<float> {
        const RTInstance modelRoot = static_cast<const LoadedModel*>(v.model)->modelRoot;
        InstanceRef carried;
        RTFVector3D min{}, max{};
        if (!scene_node::GetEntity(modelRoot, carried.out()) || !carried.get() ||
            !renderable::GetBoundingBox(carried.get(), &min, &max))
          return std::nullopt;
        return RayMeets(modelRoot, o, d, min, max);
      },
      &index);
  if (!best) return kRTFailure;
  *handle = HandleOf(*actor, best);
  return kRTSuccess;
}

RTSuccess FindGurneyClicked(RTInstance self, const RTFVector3D* origin, const RTFVector3D* direction, uint32_t* index) {
  ActorControllerData* actor = StateOf(self);
  if (!actor || !origin || !direction || !index) return kRTFailure;
  uint32_t at = 0;
  VehicleRecord* best = Nearest(
      *actor, *origin, *direction,
      [](const VehicleRecord& v, const RTFVector3D& o, const RTFVector3D& d) -> std::optional<float> {
        RTFVector3D min{}, max{};
        if (!scene_node::GetBounds(v.root, &min, &max)) return std::nullopt;
        return RayMeets(v.root, o, d, min, max);
      },
      &at);
  if (!best) return kRTFailure;
  *index = at;
  return kRTSuccess;
}

}  // namespace tesk::actor
