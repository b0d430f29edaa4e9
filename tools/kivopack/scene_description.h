// Scene trees, rooms and scene nodes in pack descriptions, set on their instances through the
// components' own calls (their streams then come from the components' own StreamOut).
//
//   "sceneTree": {"rooms": ["Root:Tesk:Assets:Rooms:Lobby@6", ...], "designingFlags": 7,
//                 "bake": false}
//       room references, each optionally tagged "@N" (bit n of N: in scenario n); the designing
//       flags are 7 when left out; with "bake" true the pack stores the rooms' meshes with their
//       lightmaps baked (baked_lightmaps.h)
//   "room": {"box": [[x, y, z], [x, y, z]], "footprint": [[x, z], ...], "openings": [1], "flags": 0,
//            "neighbours": ["Hall"], "further": ["Yard"], "nodes": [NODE, ...], "lights": [NODE, ...],
//            "bounds": NODE, "pathfindingGroup": -1, "pathfindingKind": 0,
//            "walls": {"height": 2.4, "material": "Root:Tesk:Assets:Materials:Plaster"}}
//       the box's minimum and maximum corners; the footprint on the ground plane (the box's x-z
//       rectangle when left out); the footprint edges that are openings, not walls (edge i runs
//       from point i to the next); linked rooms by instance name; the nodes, lights and bounds node
//       are made as children of the room; the route planner's node group of the room (-1: every
//       group) and the kind of graph its walkers plan on; the walls raised in the mesh of the
//       bounds node (room_walls.h)
//   "node": {"position": [x, y, z] or "matrix": [16 numbers, row by row], "state": 0, "kind": 5,
//            "obstacle": [[x, y, z], [x, y, z]], "entity": "Root:Props:Bed",
//            "animator": "Root:Characters:Assets:Animators:Walker",
//            "modifiers": ["Root:Props:Players:Swing"], "children": [NODE, ...]}
//       a scene node instance's placement, its state word and kind (RTTeskSceneNode only), the
//       obstacle box that rooms collide with, the instance it carries (a mesh, skin, camera or light
//       of the pack, anywhere in the description), the motion player (an RTArticulated of the pack)
//       that poses the skin it carries (RTTeskSceneNode only), the motion players (RTRigid
//       instances of the pack) that move the node itself as they play, and its child nodes
//   "plainTree": {"root": NODE, "nextSetting": 0}
//       a plain scene tree (RTSceneTree) of a small scene: its root node, made as its child, and
//       its next setting
//   NODE: {"name": "Bed", "class": "RTTeskSceneNode", ...the fields of "node"}; the class is
//       RTTeskSceneNode when left out
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "kivo/core_table.h"
#include "kivo/scene/scene_node_calls.h"
#include "room_walls.h"

namespace kivopack {

// A node's entity (or motion player), set once every instance of the description is made.
struct PendingEntity {
  RTInstance node;
  std::u16string path;
  const char* role = "entity";
  const char16_t* className = nullptr;  // the class the instance must be of, when it matters
  RTSuccess (*set)(RTInstance node, RTInstance instance) = kivo::scene_node::SetEntity;
};

struct SceneBuild {
  CoreTable& core;
  const std::u16string& path;     // the described instance's path, for messages
  std::vector<RTInstance>* made;  // the child nodes made: the pack stores them, the caller releases them
  std::vector<PendingEntity>* entities;
  std::vector<RoomWalls>* walls;  // the rooms' walls, raised once the bounds meshes are built
  std::string* error;
};

bool DescribeSceneTree(const SceneBuild& build, const nlohmann::json& description, RTInstance tree);
bool DescribeRoom(const SceneBuild& build, const nlohmann::json& description, RTInstance room);
bool DescribeNode(const SceneBuild& build, const nlohmann::json& description, RTInstance node);
bool DescribePlainTree(const SceneBuild& build, const nlohmann::json& description, RTInstance tree);
// Sets each node's entity or player; false, with `error` naming the path, when one is not in the
// pack or not of its class.
bool SetEntities(CoreTable& core, const std::vector<PendingEntity>& entities, std::string* error);

}  // namespace kivopack
