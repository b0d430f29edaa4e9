#include "wrapper_teardown.h"

#include "game_link.h"
#include "hand_bones.h"
#include "kivo/articulated/articulated_calls.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/raise.h"
#include "release_vehicle.h"
#include "speech_text.h"
#include "tesk/game_slots.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::actor {

namespace {

void Release(RTInstance& held) {
  if (held) kivo::ModuleCore()->ReleaseInstance(nullptr, held);
  held = nullptr;
}

void DestroyList(kivo::List*& list) {
  kivo::ListDestroy(list);
  list = nullptr;
}

}  // namespace

void LeaveQuadTree(ActorControllerData& actor, RTTeskActorWrapper* wrapper) {
  const kivo::InstanceRef tree = SceneTreeOf(actor);
  if (tree.get())
    scene_tree::QTRemoveNode(tree.get(), wrapper->RootNode);
  else
    kivo::RaiseFormatted(kivo::kLevelError, u"RTTeskActor::DestroyActorWrapper(): Failed to get scene tree reference!");
}

void FreeWrapper(RTInstance self, RTTeskActorWrapper* wrapper) {
  HandBones hands;
  if (wrapper->Skin && wrapper->Animator && FindHandBones(wrapper->Skin, &hands)) {
    if (wrapper->LeftHandNode) kivo::articulated::DetachNode(wrapper->Animator, hands.left, wrapper->LeftHandNode);
    if (wrapper->RightHandNode) kivo::articulated::DetachNode(wrapper->Animator, hands.right, wrapper->RightHandNode);
  }
  for (RTInstance* held :
       {&wrapper->BodyNode, &wrapper->Animator, &wrapper->RootNode, &wrapper->MountNode, &wrapper->CarryNode,
        &wrapper->LeftHandNode, &wrapper->RightHandNode, &wrapper->HandEmitterNode, &wrapper->HandParticleSystem,
        &wrapper->ExtendedBVNode, &wrapper->HeadRender, &wrapper->Skin})
    Release(*held);
  kivo::ModuleCore()->ArrayFree(nullptr, wrapper->SkinName);
  wrapper->SkinName = nullptr;
  kivo::CoreFree(wrapper->PathPoints);
  wrapper->PathPoints = nullptr;
  DestroyList(wrapper->NeighbourList);
  DestroyList(wrapper->FreeNeighbourList);
  DestroyList(wrapper->SpareNeighbourLinks);
  DestroySpeechList(self, wrapper->SpeechList);
  wrapper->SpeechList = nullptr;
  kivo::CoreFree(wrapper);
}

RTSuccess DestroyActorWrapper(RTInstance self, RTTeskActorWrapper* wrapper) {
  ActorControllerData* actor = StateOf(self);
  if (!actor || !wrapper) return kRTFailure;
  LeaveQuadTree(*actor, wrapper);
  ReleaseVehicle(self, wrapper);
  if (actor->game) game::call::FXActorRemove(actor->game, wrapper);
  FreeWrapper(self, wrapper);
  return kRTSuccess;
}

}  // namespace tesk::actor
