#include "vehicle_pooling.h"

#include <vector>

#include "actor_state.h"
#include "game_link.h"
#include "kivo/rigid/rigid_calls.h"
#include "kivo/support/raise.h"
#include "tesk/scene/scene_tree_calls.h"
#include "vehicle_making.h"
#include "vehicle_nodes.h"
#include "vehicle_pool.h"

namespace tesk::actor {

namespace {

using namespace kivo;

struct KindTexts {
  RTSuccess (*create)(VehicleRecord**);
  const char16_t* cannotCreate;
  const char16_t* noRoom;
  const char16_t* notPooled;
  const char16_t* noContainer;
};

constexpr KindTexts kWheelchairTexts{
    CreateWheelchair, u"RTTeskActor::AddWheelchair(): Unable to create vehicle.",
    u"RTTeskActor::AddWheelchair(): Unable to get room by point.",
    u"RTTeskActor::RemoveWheelchair(): Unable to find wheelchair in the vehicle pool.",
    u"RTTeskActor::RemoveWheelchair(): Vehicle root node should have a container room."};
constexpr KindTexts kGurneyTexts{CreateGurney, u"RTTeskActor::AddGurney(): Unable to create gurney vehicle.",
                                 u"RTTeskActor::AddGurney(): Unable to get room by point.",
                                 u"RTTeskActor::RemoveGurney(): Unable to find gurney in the vehicle pool.",
                                 u"RTTeskActor::RemoveGurney(): Vehicle root node should have a container room."};

void Report(const char16_t* text) { RaiseFormatted(kLevelError, u"%s", text); }

// The room under the point, else room 0 (reported); empty when neither is there.
InstanceRef RoomFor(RTInstance tree, const RTFVector3D& point, const KindTexts& texts) {
  InstanceRef room;
  if (scene_tree::GetRoomByPoint(tree, &point, room.out()) && room.get()) return room;
  scene_tree::GetRoomN(tree, 0, room.out());
  Report(texts.noRoom);
  return room;
}

RTSuccess Add(RTInstance self, const RTFVector3D* point, uint32_t* handle, const KindTexts& texts) {
  if (!handle) return kRTFailure;
  *handle = kivo::actor::kNoVehicle;
  ActorControllerData* actor = StateOf(self);
  if (!actor || !point) return kRTFailure;
  VehicleRecord* vehicle = nullptr;
  if (!texts.create(&vehicle)) {
    Report(texts.cannotCreate);
    return kRTFailure;
  }
  vehicle->active = 1;
  MoveNodeTo(vehicle->root, *point);
  EnsureGame(*actor);
  const InstanceRef tree = SceneTreeOf(*actor);
  const InstanceRef room = tree.get() ? RoomFor(tree.get(), *point, texts) : InstanceRef();
  const uint32_t made = room.get() && room::AddNode(room.get(), vehicle->root) ? PoolVehicle(*actor, vehicle)
                                                                                 : kivo::actor::kNoVehicle;
  if (made == kivo::actor::kNoVehicle) {
    if (room.get()) room::RemoveNode(room.get(), vehicle->root);
    DestroyVehicle(vehicle);
    return kRTFailure;
  }
  *handle = made;
  return kRTSuccess;
}

RTSuccess Remove(RTInstance self, VehicleRecord* vehicle, const KindTexts& texts) {
  ActorControllerData* actor = StateOf(self);
  if (!actor) return kRTFailure;
  if (!PoolIndexOf(*actor, vehicle)) {
    Report(texts.notPooled);
    return kRTFailure;
  }
  if (!LeaveContainerRoom(vehicle->root)) {
    Report(texts.noContainer);
    return kRTFailure;
  }
  UnpoolVehicle(*actor, vehicle);
  DestroyVehicle(vehicle);
  return kRTSuccess;
}

}  // namespace

RTSuccess AddWheelchair(RTInstance self, const RTFVector3D* point, uint32_t* handle) {
  return Add(self, point, handle, kWheelchairTexts);
}

RTSuccess AddGurney(RTInstance self, const RTFVector3D* point, uint32_t* handle) {
  return Add(self, point, handle, kGurneyTexts);
}

RTSuccess RemoveWheelchair(RTInstance self, VehicleRecord* vehicle) { return Remove(self, vehicle, kWheelchairTexts); }

RTSuccess RemoveGurney(RTInstance self, VehicleRecord* vehicle) { return Remove(self, vehicle, kGurneyTexts); }

RTSuccess RemoveVehicle(RTInstance self, uint32_t handle) {
  ActorControllerData* actor = StateOf(self);
  VehicleRecord* vehicle = actor ? PooledVehicle(*actor, handle) : nullptr;
  if (!vehicle) {
    Report(u"RTTeskActor::RemoveVehicle(): NULL vehicle.");
    return kRTFailure;
  }
  if (vehicle->users > 0) {
    Report(u"RTTeskActor::RemoveVehicle(): Vehicle is still in use?");
    return kRTFailure;
  }
  const RTSuccess removed = vehicle->kind == kivo::actor::kWheelchairKind ? RemoveWheelchair(self, vehicle)
                            : vehicle->kind == kivo::actor::kGurneyKind   ? RemoveGurney(self, vehicle)
                                                                           : kRTFailure;
  if (!removed)
    RaiseFormatted(kLevelError, u"RTTeskActor::RemoveVehicle(): Failed to remove vehicle! (type == %d)",
                   static_cast<int32_t>(vehicle->kind));
  return removed;
}

RTSuccess RemoveAllVehicles(RTInstance self) {
  ActorControllerData* actor = StateOf(self);
  if (!actor) return kRTFailure;
  std::vector<VehicleRecord*> pooled;
  for (VehicleRecord* vehicle : ListItems<VehicleRecord>(actor->vehicles)) pooled.push_back(vehicle);
  // A vehicle still in use stays pooled: its riders would be left pointing at a freed record.
  for (VehicleRecord* vehicle : pooled) {
    const bool inUse = vehicle->users > 0;
    const auto kind = vehicle->kind;  // read before a removal frees the record
    if (kind == kivo::actor::kWheelchairKind && (inUse || !RemoveWheelchair(self, vehicle)))
      Report(u"RTTeskActor::RemoveAllVehicles(): Unable to remove wheelchair.");
    else if (kind == kivo::actor::kGurneyKind && (inUse || !RemoveGurney(self, vehicle)))
      Report(u"RTTeskActor::RemoveAllVehicles(): Unable to remove gurney.");
  }
  return kRTSuccess;
}

RTSuccess ResetGurneyLocalSpaceC(RTInstance self, VehicleRecord* vehicle) {
  GurneyModel* gurney = vehicle ? GurneyOf(*vehicle) : nullptr;
  ActorControllerData* actor = StateOf(self);
  if (!gurney || !actor) return kRTSuccess;
  const RTInstance root = gurney->loaded.modelRoot;
  const RTInstance* modifiers = nullptr;
  uint32_t count = 0;
  if (!scene_node::GetModifierList(root, &modifiers, &count) || count == 0) {
    RaiseFormatted(kLevelError, u"Node doesn't have a modifier list [hence no animations!]");
    return kRTSuccess;
  }
  for (uint32_t i = 0; i < count; ++i)
    if (ModuleCore()->IsKindOfByName(nullptr, modifiers[i], rigid::kClassName)) rigid::Rewind(modifiers[i]);
  if (gurney->nodes[kGurneyBody]) MoveNodeTo(gurney->nodes[kGurneyBody], RTFVector3D{});
  MoveNodeTo(root, RTFVector3D{});
  if (const InstanceRef tree = SceneTreeOf(*actor); tree.get()) scene_tree::UpdateTransforms(tree.get(), 0);
  SetTreeBounds(*gurney->loaded.object, root);
  return kRTSuccess;
}

RTSuccess ResetGurneyLocalSpace(RTInstance self, ScriptObject, uint32_t count, Cell* arguments, Cell*, VM) {
  const std::optional<int32_t> handle = ScriptArguments(count, arguments).Integer(0);
  VehicleRecord* vehicle = nullptr;
  if (handle &&
      CallMethod(self, kivo::actor::kLevel, kivo::actor::kGetVehicleN, static_cast<uint32_t>(*handle), &vehicle))
    ResetGurneyLocalSpaceC(self, vehicle);
  return kRTSuccess;
}

}  // namespace tesk::actor
