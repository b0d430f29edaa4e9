#include "placement_methods.h"

#include "actor_frame.h"
#include "game_link.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/raise.h"
#include "kivo/support/scalar_math.h"
#include "kivo/support/vector.h"
#include "script_events.h"
#include "tesk/scene/scene_tree_calls.h"
#include "wrapper_lookup.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr char16_t kRoomEnter[] = u"OnRoomEnter";
constexpr double kPi = 3.14159265;  // the constant of the system's degree conversions

RTFVector3D LocalTranslation(RTInstance node) {
  const RTFMatrix4x4* local = nullptr;
  return scene_node::GetLocalMatrix(node, &local) ? Row(*local, kPositionRow) : RTFVector3D{};
}

// "OnRoomEnter" with the room's name on the node's script object.
void AnnounceRoom(const ActorControllerData& actor, RTInstance node, RTInstance room) {
  void* owner = nullptr;
  char16_t* name = nullptr;
  if (tesk_scene_node::GetScriptObject(node, &owner) && owner && component::GetName(room, &name))
    RaiseEvent(actor, owner, kRoomEnter, {name});
  ModuleCore()->ArrayFree(nullptr, name);
}

// The root node leaves the room that holds it, if any, for `room`.
void MoveIntoRoom(RTInstance node, RTInstance room) {
  InstanceRef container;
  if (tesk_scene_node::GetNodeRoom(node, container.out()) && container.get())
    room::RemoveNode(container.get(), node);
  room::AddNode(room, node);
}

void Place(const ActorControllerData& actor, RTTeskActorWrapper& w, RTFVector3D p) {
  p.y = 0.0f;
  const InstanceRef tree = SceneTreeOf(actor);
  if (!tree.get()) {
    RaiseFormatted(kLevelError, u"RTTeskActor::SetPosition(): Unable to get the current scene tree.");
    return;
  }
  InstanceRef room;
  if (!scene_tree::GetRoomByPoint(tree.get(), &p, room.out())) {
    RaiseFormatted(kLevelError,
                   u"RTTeskActor::SetPosition(): Position <%.2f, %.2f, %.2f> could not be classified in a room.  "
                   u"Unable to set the actor position.",
                   p.x, p.y, p.z);
    return;
  }
  MoveIntoRoom(w.RootNode, room.get());
  AnnounceRoom(actor, w.RootNode, room.get());
  uint32_t flags = 0;
  room::GetFlags(room.get(), &flags);
  if (flags & (room::kOutOfQuadTree | room::kDisabled)) {
    RaiseFormatted(kLevelError,
                   u"RTTeskActor::SetPosition(): Position <%.2f, %.2f, %.2f> is classified as a dummy room.  This "
                   u"is probably a scripting error.",
                   p.x, p.y, p.z);
    return;
  }
  // The root is a moving node: its new translation waits as pending movement, applied here at once.
  scene_node::SetTranslation(w.RootNode, &p);
  tesk_scene_node::ApplyMovement(w.RootNode);
  SetRow(&w.Frame, kPositionRow, RTFVector3D{p.x, p.y, p.z, 1.0f});
  w.Moving = 0;
}

void FaceHeading(RTTeskActorWrapper& w, float degrees) {
  const auto angle = static_cast<float>(static_cast<long double>(degrees) * static_cast<long double>(kPi) *
                                        (1.0L / 180.0L));
  SetHeading(&w.Frame, RTFVector3D{MathSin(angle), 0.0f, MathCos(angle), 0.0f});
  scene_node::SetLocalMatrix(w.RootNode, &w.Frame);
  w.ViewDirectionSet = 1;
  w.LookAtPointPending = 0;
  w.LookAtClosestPending = 0;
}

}  // namespace

RTSuccess SetPosition(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  const RTFVector3D* point = ScriptArguments(count, arguments).Vector(0);
  RTTeskActorWrapper* w = WrapperOf(self, object);
  if (!w || !point) return kRTFailure;
  Place(*StateOf(self), *w, *point);
  return kRTSuccess;
}

RTSuccess GetPosition(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) { WriteVectorResult(result, LocalTranslation(w.RootNode)); });
}

RTSuccess GetForwardVector(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) { WriteVectorResult(result, Row(w.Frame, kForwardRow)); });
}

RTSuccess GetSideVector(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) { WriteVectorResult(result, Row(w.Frame, kSideRow)); });
}

RTSuccess GetTargetVector(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) { WriteVectorResult(result, w.TargetVector); });
}

RTSuccess SetViewDirection(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM) {
  const std::optional<float> degrees = ScriptArguments(count, arguments).Real(0);
  RTTeskActorWrapper* w = WrapperOf(self, object);
  if (!w || !degrees) return kRTFailure;
  FaceHeading(*w, *degrees);
  return kRTSuccess;
}

}  // namespace tesk::actor
