#include "wrapper_methods.h"

#include "effects/highlight_hooks.h"
#include "game_link.h"
#include "hand_bones.h"
#include "kivo/scene/bone_model_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/raise.h"
#include "release_vehicle.h"
#include "tesk/game_slots.h"
#include "wrapper_factory.h"
#include "wrapper_lookup.h"
#include "wrapper_teardown.h"

namespace tesk::actor {

namespace {

using namespace kivo;

// No wrapper of the game's actor list keeps the one going as its target or among its neighbours
// (the avoidance steps read their neighbours' state).
void ForgetLinksTo(const ActorControllerData& actor, const RTTeskActorWrapper* going) {
  List* actors = nullptr;
  if (!game::call::GetActorList(actor.game, &actors)) return;
  for (RTTeskActorWrapper* other : ListItems<RTTeskActorWrapper>(actors)) {
    if (other->TargetActor == going) other->TargetActor = nullptr;
    for (List* neighbours : {other->NeighbourList, other->FreeNeighbourList})
      while (neighbours && ListRemove(neighbours, going)) {
      }
  }
}

}  // namespace

RTSuccess Create(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell*, VM vm) {
  ActorControllerData* actor = StateOf(self);
  const char16_t* skinName = ScriptArguments(count, arguments).Text(0);
  if (!actor || !skinName || !EnsureGame(*actor)) return kRTFailure;
  if (RTTeskActorWrapper* wrapper = WrapperOf(self, object)) return ReleaseVehicle(self, wrapper);
  actor->vm = vm;
  RTTeskActorWrapper* wrapper = nullptr;
  if (!ActorWrapperFactory(self, &wrapper, skinName, nullptr, object)) return kRTFailure;
  if (!varno_controller::AttachNativeRecord(self, object, wrapper)) {
    LeaveQuadTree(*actor, wrapper);
    FreeWrapper(self, wrapper);
    return kRTFailure;
  }
  game::call::AddActor(actor->game, wrapper);
  game::call::AddNode(actor->game, wrapper->RootNode);
  tesk_scene_node::SetScriptObject(wrapper->RootNode, object);
  tesk_scene_node::SetScriptObject(wrapper->BodyNode, object);
  return kRTSuccess;
}

RTSuccess Destroy(RTInstance self, void* object) {
  ActorControllerData* actor = StateOf(self);
  RTTeskActorWrapper* wrapper = WrapperOf(self, object);
  if (!wrapper) return kRTFailure;
  game::call::RemoveActor(actor->game, wrapper);
  game::call::RemoveNode(actor->game, wrapper->RootNode);
  game::call::RemovePatientC(actor->game, wrapper);
  ForgetLinksTo(*actor, wrapper);
  DestroyActorWrapper(self, wrapper);
  varno_controller::DetachNativeRecord(self, object);
  return kRTSuccess;
}

RTSuccess Reset(RTInstance self, RTTeskActorWrapper* wrapper) {
  return StateOf(self) && wrapper ? ReleaseVehicle(self, wrapper) : kRTFailure;
}

RTSuccess InitPlayer(RTInstance self, void* object) {
  RTTeskActorWrapper* wrapper = WrapperOf(self, object);
  return wrapper ? InitPlayerC(self, wrapper) : kRTFailure;
}

RTSuccess InitPlayerC(RTInstance self, RTTeskActorWrapper* wrapper) {
  ActorControllerData* actor = StateOf(self);
  if (!actor || !actor->game || !wrapper) return kRTFailure;
  InstanceRef body;
  if (!game::call::GetPlayerEntity(actor->game, body.out()) || !body.get()) return kRTFailure;
  HandBones hands;
  if (!ModuleCore()->IsKindOfByName(nullptr, body.get(), bone_model::kClassName) ||
      !FindHandBones(body.get(), &hands)) {
    RaiseFormatted(kLevelError,
                   u"RTTeskActor::InitPlayerC(): the player's body is no skin with both hand bones; "
                   u"the actor keeps its own");
    return kRTFailure;
  }
  if (!scene_node::SetEntity(wrapper->BodyNode, body.get())) return kRTFailure;
  InstallHighlightHooks(self, *actor, body.get());
  AttachHands(wrapper->Animator, hands, wrapper->LeftHandNode, wrapper->RightHandNode);
  ModuleCore()->ReleaseInstance(nullptr, wrapper->Skin);
  wrapper->Skin = body.Take();
  return kRTSuccess;
}

RTSuccess ResetStates(RTInstance self) {
  if (!StateOf(self)) return kRTFailure;
  SetHandEffectPending();
  return kRTSuccess;
}

RTSuccess DestroyFromScript(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell*, VM) {
  return Destroy(self, object);
}

RTSuccess InitPlayerFromScript(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell*, VM) {
  return InitPlayer(self, object);
}

RTSuccess ResetStatesFromScript(RTInstance self, ScriptObject, uint32_t, Cell*, Cell*, VM) {
  return ResetStates(self);
}

}  // namespace tesk::actor
