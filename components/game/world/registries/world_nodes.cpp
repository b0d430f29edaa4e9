// The scene nodes the game places in its world: nodes of the world room (the actors' bodies, the
// environment's root), children of the environment's root node, and their removal from the room
// that holds them.
#include "game_context.h"
#include "game_methods.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::game::method {

namespace {

constexpr uint32_t kRoomNameUnits = 256;

// The room that names itself the node's container, with a reference; empty for a node of no room
// and for a plain scene node, which keeps no room.
kivo::InstanceRef ContainerRoom(RTInstance node) {
  kivo::InstanceRef room;
  if (Core().IsKindOfByName(nullptr, node, kivo::tesk_scene_node::kClassName))
    kivo::tesk_scene_node::GetNodeRoom(node, room.out());
  return room;
}

// Asks each room of the scene tree to take the node out; the room that did (borrowed), or null.
RTInstance RemoveFromSomeRoom(GamePrivateData& game, RTInstance node) {
  kivo::List* rooms = nullptr;
  if (!game.sceneTree || !scene_tree::GetRoomList(game.sceneTree, &rooms)) return nullptr;
  for (RTInstanceRecord* room : kivo::ListItems<RTInstanceRecord>(rooms))
    if (kivo::room::RemoveNode(room, node)) return room;
  return nullptr;
}

}  // namespace

// The world room names itself the container of the nodes it holds. A node that another room holds
// leaves that room first: a node stands in one room.
RTSuccess AddNode(RTInstance self, RTInstance node) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !node || !game->worldNode) return kRTFailure;
  kivo::InstanceRef room = ContainerRoom(node);
  if (room.get() == game->worldNode) return kRTSuccess;
  if (room.get()) kivo::room::RemoveNode(room.get(), node);
  return kivo::room::AddNode(game->worldNode, node);
}

RTSuccess AttachEnvironmentNode(RTInstance self, RTInstance node) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !game->rootNode) return kRTFailure;
  return kivo::scene_node::AddChild(game->rootNode, node);
}

// Never fails for a node: what it finds is only reported. The container room is asked first; the
// rooms of the scene tree in turn when there is none or it does not hold the node.
RTSuccess RemoveNode(RTInstance self, RTInstance node) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !node) return kRTFailure;
  kivo::scene_node::Detach(node);
  kivo::InstanceRef container = ContainerRoom(node);
  if (!container.get())
    Report(u"RTTeskGame::RemoveNode(), container room was NULL!");
  else if (kivo::room::RemoveNode(container.get(), node))
    return kRTSuccess;
  RTInstance room = RemoveFromSomeRoom(*game, node);
  if (!room) {
    Report(u"RTTeskGame::RemoveNode() -- the scene node does not belong to a room.");
    return kRTSuccess;
  }
  Report(u"RTTeskGame::RemoveNode() -- found the room that contained our node!");
  char16_t name[kRoomNameUnits] = {};
  Core().GetInstanceName(nullptr, room, name, kRoomNameUnits);
  name[kRoomNameUnits - 1] = 0;
  Report(name);
  return kRTSuccess;
}

}  // namespace tesk::game::method
