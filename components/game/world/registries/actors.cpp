// The actor registry (the wrappers the actor component registers) and the getters through which
// the actor component and the scene tree reach the game's world.
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/room_calls.h"
#include "tesk/scene/scene_tree_calls.h"
#include "varno/scripting_calls.h"
#include "world_lists.h"

namespace tesk::game::method {

namespace {

namespace scripting = varno::scripting;

// The script object of a removed wrapper: an address of the game's own that no script object has,
// so no lookup by object finds the wrapper again.
const char kRemovedActor = 0;

constexpr uint32_t kRoomNameUnits = 256;

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

// Asks each room of the scene tree to take the node out; the room that did, or null.
RTInstance RemoveFromSomeRoom(GamePrivateData& game, RTInstance node) {
  kivo::List* rooms = nullptr;
  if (!game.sceneTree || !scene_tree::GetRoomList(game.sceneTree, &rooms)) return nullptr;
  for (RTInstanceRecord* room : kivo::ListItems<RTInstanceRecord>(rooms))
    if (kivo::room::RemoveNode(room, node)) return room;
  return nullptr;
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

// Nodes do not tell their room here: the rooms of the scene tree are asked in turn.
RTSuccess RemoveNode(RTInstance self, RTInstance node) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !node) return kRTFailure;
  Report(u"RTTeskGame::RemoveNode(), container room was NULL!");
  RTInstance room = RemoveFromSomeRoom(*game, node);
  if (!room) {
    Report(u"RTTeskGame::RemoveNode() -- the scene node does not belong to a room.");
    return kRTSuccess;
  }
  Report(u"RTTeskGame::RemoveNode() -- found the room that contained our node!");
  char16_t name[kRoomNameUnits] = {};
  Core().GetInstanceName(nullptr, room, name, kRoomNameUnits);
  Report(name);
  return kRTSuccess;
}

// A wrapper already listed is left as it is: no second reference, texture or priority.
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
  if (wrapper->ScriptObject == &kRemovedActor) return kRTSuccess;
  if (game->varno) scripting::CollectorReleaseObjectC(game->varno, static_cast<ScriptObject>(wrapper->ScriptObject));
  wrapper->ScriptObject = const_cast<char*>(&kRemovedActor);
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
