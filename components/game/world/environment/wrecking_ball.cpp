// The wrecking-ball gym: five pairs of rooms of which one shows at a time. A toggle hides each
// pair's shown room, shows the other and moves the actors standing in the hidden room over.
#include <algorithm>
#include <iterator>

#include "environment.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/instance_ref.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::game {

namespace {

constexpr GymRoomPair kGymRoomPairs[kGymRoomPairCount] = {
    {u"gym@4031", u"gym@32864", 0},       {u"gymB@4031", u"gymB@32864", 0},     {u"gymC@4031", u"05-M-gym@32864", 0},
    {u"gymD@4031", u"05-W-gym@32864", 0}, {u"gymE@4031", u"05-E-gym@32864", 0},
};

kivo::InstanceRef TreeRoom(GamePrivateData& game, const char16_t* name) {
  kivo::InstanceRef room;
  if (game.sceneTree) tesk::scene_tree::GetRoomByName(game.sceneTree, name, room.out());
  return room;
}

void SetHidden(RTInstance room, bool hidden) {
  uint32_t flags = 0;
  kivo::room::GetFlags(room, &flags);
  kivo::room::SetFlags(room, hidden ? flags | kivo::room::kDisabled : flags & ~kivo::room::kDisabled);
}

// The actors whose node stands in `from` move to `to`; false when one cannot.
bool MoveActorsFrom(GamePrivateData& game, RTInstance from, RTInstance to) {
  bool moved = true;
  for (RTTeskActorWrapper* wrapper : kivo::ListItems<RTTeskActorWrapper>(game.lists.actorList)) {
    kivo::InstanceRef room;
    if (!wrapper->RootNode || !kivo::tesk_scene_node::GetNodeRoom(wrapper->RootNode, room.out()) || room.get() != from)
      continue;
    moved = kivo::room::RemoveNode(from, wrapper->RootNode) && kivo::room::AddNode(to, wrapper->RootNode) && moved;
  }
  return moved;
}

void TogglePair(GamePrivateData& game, GymRoomPair& pair) {
  const char16_t* activeName = pair.index == 0 ? pair.nameA : pair.nameB;
  const char16_t* inactiveName = pair.index == 0 ? pair.nameB : pair.nameA;
  kivo::InstanceRef active = TreeRoom(game, activeName);
  kivo::InstanceRef inactive = TreeRoom(game, inactiveName);
  if (!active.get())
    Report(kivo::Format(u"RTTeskGame::ToggleWreakingBall(): Unable to get active room %s from the scene tree.",
                        activeName));
  if (!inactive.get())
    Report(kivo::Format(u"RTTeskGame::ToggleWreakingBall(): Unable to get inactive room %s from the scene tree.",
                        inactiveName));
  if (active.get() && inactive.get()) {
    SetHidden(active.get(), true);
    SetHidden(inactive.get(), false);
    if (!MoveActorsFrom(game, active.get(), inactive.get()))
      Report(u"RTTeskGame::ToggleWreakingBallC(): Failed to move actors from active room to inactive room.");
  }
  pair.index = 1 - pair.index;
}

}  // namespace

void SetUpGymRoomPairs(EnvironmentState& environment) {
  std::copy(std::begin(kGymRoomPairs), std::end(kGymRoomPairs), environment.gymPairs);
}

RTSuccess ToggleWreakingBallC(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  for (GymRoomPair& pair : game->environment.gymPairs) TogglePair(*game, pair);
  game->environment.wreckingBallShown = game->environment.wreckingBallShown == 0 ? 1 : 0;
  return kRTSuccess;
}

// The rooms' flags are left as they are.
RTSuccess ResetWreckingBall(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  for (GymRoomPair& pair : game->environment.gymPairs) pair.index = 0;
  game->environment.wreckingBallShown = 0;
  return kRTSuccess;
}

namespace method {

TESK_GAME_SCRIPT_METHOD(ToggleWreckingBall) { return ToggleWreakingBallC(self); }

TESK_GAME_SCRIPT_METHOD(IsWreckingBallShown) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  result->value.word = game->environment.wreckingBallShown;
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
