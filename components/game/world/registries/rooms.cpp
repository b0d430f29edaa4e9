// Rooms, scene nodes and spawn points of the environment, as the script reaches them. Nodes come
// from scripts as the numbers of the game's handle table; every room fetched is given back.
#include "game_context.h"
#include "game_methods.h"
#include "kivo/navigation/navigation_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/format.h"
#include "kivo/support/matrix.h"
#include "kivo/support/wide_string.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::game::method {

namespace {

constexpr uint32_t kRoomDisabledByScript = 0x20;
constexpr uint32_t kRestroomClosed = 0x80;
constexpr uint32_t kRoomNameUnits = 512;
constexpr float kClosedRoomCost = 20.0f;

kivo::InstanceRef RoomNamed(GamePrivateData& game, const char16_t* name) {
  kivo::InstanceRef room;
  if (game.sceneTree && name) scene_tree::GetRoomByName(game.sceneTree, name, room.out());
  return room;
}

RTSuccess SetRoomFlag(RTInstance room, uint32_t flag, bool on) {
  uint32_t flags = 0;
  if (!kivo::room::GetFlags(room, &flags)) return kRTFailure;
  return kivo::room::SetFlags(room, on ? flags | flag : flags & ~flag);
}

// Every edge of the group's nodes in the planner costs `delta` more; a planner that refuses the
// group or a node is left, reported, with the changes made so far.
void AddToGroupEdgeCosts(RTInstance planner, uint32_t index, int32_t group, float delta) {
  kivo::List* nodes = nullptr;
  bool changed = planner && kivo::route_planner::GetNodesByGroup(planner, group, &nodes) && nodes;
  if (changed)
    for (RTRoutePlannerNode* node : kivo::ListItems<RTRoutePlannerNode>(nodes))
      if (!(changed = kivo::route_planner::AddToEdgeCosts(planner, node, delta))) break;
  if (!changed)
    Report(kivo::Format(u"RTTeskGame::EnableRoom() -- pathfinding object %u did not change the costs of group %d",
                        index, group));
}

// Faucets start and stop the effect their node's object offers; no object offers one yet.
RTSuccess Faucet(RTInstance self, uint32_t count, const Cell* arguments) {
  GamePrivateData* game = RecordOf(self);
  RTInstance node = game ? NodeArgument(*game, count, arguments, 0) : nullptr;
  kivo::InstanceRef object;
  if (node) kivo::scene_node::GetEntity(node, object.out());
  return kRTFailure;
}

}  // namespace

// The room's flag 0x20 marks it closed by the script. Closing adds 20.0 to the cost of each edge of
// the room's pathfinding group in every planner, opening takes 20.0 off (an edge with both ends in
// the group changes twice); the costs add up over repeated calls. A room of no group (-1) changes
// no costs.
TESK_GAME_SCRIPT_METHOD(EnableRoom) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 2) return kRTFailure;
  kivo::InstanceRef room = RoomNamed(*game, arguments[0].value.text);
  if (!room.get()) return kRTSuccess;
  const bool enable = arguments[1].value.word != 0;
  int32_t group = kivo::route_planner::kAllGroups;
  kivo::room::GetPathfindingGroup(room.get(), &group);
  if (group != kivo::route_planner::kAllGroups)
    for (uint32_t i = 0; i < game->pathfinderCount; ++i)
      AddToGroupEdgeCosts(game->pathfinders[i], i, group, enable ? -kClosedRoomCost : kClosedRoomCost);
  SetRoomFlag(room.get(), kRoomDisabledByScript, !enable);
  return kRTSuccess;
}

// 0 closes the women's restroom, 1 the men's, anything else neither.
TESK_GAME_SCRIPT_METHOD(DisableGenderedRooms) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 1) return kRTFailure;
  const uint32_t closed = arguments[0].value.word;
  kivo::InstanceRef female = RoomNamed(*game, u"female_restroom");
  if (!female.get()) return kRTFailure;
  SetRoomFlag(female.get(), kRestroomClosed, closed == 0);
  kivo::InstanceRef male = RoomNamed(*game, u"male_restroom");
  if (!male.get()) return kRTFailure;
  return SetRoomFlag(male.get(), kRestroomClosed, closed == 1);
}

TESK_GAME_SCRIPT_METHOD(StartFaucet) { return Faucet(self, count, arguments); }
TESK_GAME_SCRIPT_METHOD(StopFaucet) { return Faucet(self, count, arguments); }

// A new text in the result: the name of the room at the point, empty when no room holds it.
TESK_GAME_SCRIPT_METHOD(GetRoomNameByPoint) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result || count < 1 || !arguments[0].value.vector) return kRTFailure;
  char16_t name[kRoomNameUnits] = {};
  kivo::InstanceRef room;
  if (game->sceneTree && scene_tree::GetRoomByPoint(game->sceneTree, arguments[0].value.vector, room.out()) &&
      room.get())
    Core().GetInstanceName(nullptr, room.get(), name, kRoomNameUnits);
  name[kRoomNameUnits - 1] = 0;
  return kivo::WideStrDup(name, &result->value.text);
}

// The local point placed by the node's world matrix; node 0 and an unset node (reported) give the
// point as it is. The result is the VM's own vector block.
TESK_GAME_SCRIPT_METHOD(NodeLocalToWorld) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result || !result->value.vector || count < 2 || !arguments[1].value.vector) return kRTFailure;
  const RTFVector3D& local = *arguments[1].value.vector;
  const uint32_t handle = arguments[0].value.word;
  if (handle == kivo::kNoHandle || handle == kivo::kUnsetHandle) {
    if (handle == kivo::kUnsetHandle) Report(u"RTTeskGame::NodeLocalToWorld(): Uninitialized node parameter.");
    *result->value.vector = local;
    return kRTSuccess;
  }
  RTInstance node = NodeArgument(*game, count, arguments, 0);
  const RTFMatrix4x4* world = nullptr;
  if (!node || !kivo::scene_node::GetWorldMatrix(node, &world) || !world) return kRTFailure;
  kivo::Mat4TransformPoint(*world, local, result->value.vector);
  return kRTSuccess;
}

RTSuccess ResolveSceneHandle(RTInstance self, uint32_t handle, RTInstance* object) {
  GamePrivateData* game = RecordOf(self);
  if (!object) return kRTFailure;
  *object = game && game->sceneHandles ? static_cast<RTInstance>(game->sceneHandles->Resolve(handle)) : nullptr;
  return *object ? Core().ResolveHandle(nullptr, *object) : kRTFailure;
}

// The translation of the last spawn point whose object has the name; the result is left alone
// when none has.
TESK_GAME_SCRIPT_METHOD(GetSpawnpointByName) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result || count < 1 || !arguments[0].value.text) return kRTFailure;
  for (RTInstanceRecord* node : kivo::ListItems<RTInstanceRecord>(game->spawnPoints)) {
    kivo::InstanceRef object;
    char16_t name[kRoomNameUnits] = {};
    if (!kivo::scene_node::GetEntity(node, object.out()) || !object.get()) continue;
    Core().GetInstanceName(nullptr, object.get(), name, kRoomNameUnits);
    const RTFMatrix4x4* local = nullptr;
    if (kivo::WideStrEqualNoCase(name, arguments[0].value.text) != 0 || !result->value.vector ||
        !kivo::scene_node::GetLocalMatrix(node, &local) || !local)
      continue;
    *result->value.vector = RTFVector3D{local->m[3][0], local->m[3][1], local->m[3][2], local->m[3][3]};
    result->type = varno::kTypeVector3;
  }
  return kRTSuccess;
}

}  // namespace tesk::game::method
