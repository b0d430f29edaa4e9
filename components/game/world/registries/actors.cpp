// The actor registry (the wrappers the actor component registers) and the getters through which
// the actor component and the scene tree reach the game's world.
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "varno/scripting_calls.h"
#include "world_lists.h"

namespace tesk::game::method {

namespace {

namespace scripting = varno::scripting;

// A held instance handed out with a reference of the caller's; null (and success) when there is none.
RTSuccess HandOut(RTInstance held, RTInstance* out) {
  if (!out) return kRTFailure;
  *out = held;
  return held ? Core().ResolveHandle(nullptr, held) : kRTSuccess;
}

void MakeHeadTexture(GamePrivateData& game, RTTeskActorWrapper* wrapper) {
  wrapper->HeadTexture = 0;
  if (game.rasterizer && wrapper->HeadRender &&
      !kivo::rasterizer::CreateTextureFromImage(game.rasterizer, wrapper->HeadRender, &wrapper->HeadTexture, 0x2901,
                                                0x2901, 0x2601, 0x2703, 1))
    wrapper->HeadTexture = 0;
}

}  // namespace

RTSuccess GetGame(RTInstance self, ScriptObject* out) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !out) return kRTFailure;
  *out = game->gameObject;
  return kRTSuccess;
}

RTSuccess GetActorList(RTInstance self, kivo::List** out) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !out) return kRTFailure;
  *out = game->lists.actorList;
  return kRTSuccess;
}

RTSuccess GetVM(RTInstance self, VM* out) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !out) return kRTFailure;
  *out = game->vm;
  return kRTSuccess;
}

RTSuccess GetSceneTree(RTInstance self, RTInstance* out) {
  GamePrivateData* game = RecordOf(self);
  return game ? HandOut(game->sceneTree, out) : kRTFailure;
}

RTSuccess GetRootNode(RTInstance self, RTInstance* out) {
  GamePrivateData* game = RecordOf(self);
  return game ? HandOut(game->rootNode, out) : kRTFailure;
}

// An index at or above the count gives null and 0.
RTSuccess GetPathfindingObject(RTInstance self, uint32_t index, RTInstance* out) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !out) return kRTFailure;
  *out = nullptr;
  if (index >= game->pathfinderCount) return kRTFailure;
  return HandOut(game->pathfinders[index], out);
}

// A wrapper already listed is left as it is: no second reference, texture or priority. The first
// actor, the player, carries the follow node.
RTSuccess AddActor(RTInstance self, RTTeskActorWrapper* wrapper) {
  GamePrivateData* game = RecordOf(self);
  kivo::List* actors = game ? game->lists.actorList : nullptr;
  if (!actors || !wrapper) return kRTFailure;
  kivo::ListLink* listed = nullptr;
  if (kivo::ListFind(actors, wrapper, &listed, nullptr)) return kRTSuccess;
  if (game->varno) scripting::CollectorReferenceObjectC(game->varno, static_cast<ScriptObject>(wrapper->ScriptObject));
  if (actors->count == 0) {
    wrapper->AvoidPriority = 0;
    game->firstActor = wrapper;
    if (game->followNode && wrapper->RootNode) kivo::scene_node::AddChild(wrapper->RootNode, game->followNode);
  } else {
    wrapper->AvoidPriority = -1;
  }
  MakeHeadTexture(*game, wrapper);
  return kivo::ListAppend(actors, wrapper);
}

// Every entry of the wrapper leaves every list, the newbies too (the doctor and newbie lists may
// hold it more than once), and its patient entries are freed: the actor component frees the
// wrapper next. A wrapper removed before has no script object left to let go of.
RTSuccess RemoveActor(RTInstance self, RTTeskActorWrapper* wrapper) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !wrapper) return kRTFailure;
  if (ActorRemoved(wrapper)) return kRTSuccess;
  if (game->varno) scripting::CollectorReleaseObjectC(game->varno, static_cast<ScriptObject>(wrapper->ScriptObject));
  MarkActorRemoved(wrapper);
  WorldLists& lists = game->lists;
  for (kivo::List* list : {lists.actorList, lists.doctorList, lists.newbieList, lists.staffList})
    while (list && kivo::ListRemove(list, wrapper)) {
    }
  RemovePatientsOf(*game, wrapper);
  // Nothing may name the wrapper once the actor component has freed it.
  for (RTTeskActorWrapper** named : {&game->cameraAttachWrapper, &game->patientTipWrapper, &game->doctorTipWrapper})
    if (*named == wrapper) *named = nullptr;
  return kRTSuccess;
}

}  // namespace tesk::game::method
