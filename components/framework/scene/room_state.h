// What one room keeps (rt_brellin_room.cpp, room_hit_tests.cpp), and the part of it that its
// stream holds (room_stream.cpp).
#pragma once

#include <string>
#include <vector>

#include "kivo/support/list.h"
#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace room {

// The stream's content: the shape, the flags and the names of the rooms and nodes it links to.
struct StoredRoom {
  RTFVector3D boxMin{};
  RTFVector3D boxMax{};
  uint32_t flags = 0;
  std::vector<RTFVector3D> footprint;
  std::vector<RTBool> walls;  // one per footprint edge: 1 a wall, 0 an opening
  std::vector<std::u16string> neighbours;
  std::vector<std::u16string> further;
  std::vector<std::u16string> nodes;   // child instances of the room
  std::vector<std::u16string> lights;  // child instances of the room
  std::u16string boundsNode;           // a child instance of the room, or empty
  int32_t pathfindingGroup = -1;       // from version 3
  int32_t pathfindingKind = 0;         // from version 3
};

// Nodes held in a list with a reference each; those a stream named wait to be looked up among
// the room's children until they are first needed. `children` are the held nodes that are the
// room's children (see held_children.h). Game nodes of a `containing` list name the room as their
// container while they are listed.
struct HeldNodes {
  kivo::List* list = nullptr;
  std::vector<std::u16string> unresolved;
  std::vector<RTInstance> children;
  bool containing = false;
};

// A listed node's obstacle box placed in the room's plane, kept from one hit test to the next while
// the node stays listed and its obstacle serial (scene_node_calls.h) is the one seen.
struct PlacedObstacle {
  RTInstance node = nullptr;
  const uint32_t* serial = nullptr;  // null for an instance that is no scene node: never an obstacle
  uint32_t seen = 0;
  bool has = false;  // the node carries an obstacle box
  RTFVector2D corners[4]{};
};

struct RoomState {
  // The handles of RTSceneNode and RTTeskSceneNode, looked up when the room is made: its hit tests
  // ask every node whether it is a scene node, and a kind test by name or through the parent
  // classes makes a copy of a class name each time.
  RTComponentHandle sceneNodeClass = kNoComponent;
  RTComponentHandle teskSceneNodeClass = kNoComponent;
  RTFVector3D boxMin{};
  RTFVector3D boxMax{};
  uint32_t flags = 0;
  std::vector<RTFVector3D> footprint;
  std::vector<RTFVector2D> outline;  // the footprint's x and z, for the point and hit tests
  std::vector<RTBool> walls;         // one per footprint edge (edge i runs from point i to the next)
  std::vector<std::u16string> neighbourNames;
  std::vector<std::u16string> furtherNames;
  std::u16string boundsNode;
  RTInstance boundsHeld = nullptr;  // the bounds node once looked up; one reference held
  int32_t pathfindingGroup = -1;  // the route planner's node group of the room; -1 every group
  int32_t pathfindingKind = 0;    // the graph the room's walkers plan on by default
  HeldNodes nodes;
  HeldNodes lights;
  // One entry per node of `nodes` from the head, in list order (room_hit_tests.cpp); emptied
  // whenever a node leaves the list, so that no entry outlives its node.
  std::vector<PlacedObstacle> placed;
  kivo::List* neighbours = nullptr;  // filled from the tree on each query, not held
  kivo::List* further = nullptr;
  kivo::List* spareLinks = nullptr;  // links of the two lists above, kept for reuse
  RTBool designing = 0;
  bool lightsDropped = false;  // run-time only: not streamed
  RTInstance tree = nullptr;        // the scene tree that lists the room; no reference
  RTInstance hitFilter = nullptr;   // left out of the sphere tests; one reference held
  bool hitFilterBelowRoom = false;  // see held_children.h

  // `edgeWalls` holds one flag per point.
  void SetFootprint(std::vector<RTFVector3D> points, std::vector<RTBool> edgeWalls);
};

// The room's state; null when it has none.
RoomState* StateOf(RTInstance self);
// Looks up the nodes a stream named among the room's children; a missing one is reported, as
// `method`'s, and left out.
void Resolve(RTInstance self, HeldNodes& held, const char16_t* method);

// Writes the stored part; false when a write fails.
bool WriteStoredRoom(RTInstance stream, const StoredRoom& room);
// Reads the stored part; false with the reason when the stream is damaged (nothing is committed).
bool ReadStoredRoom(RTInstance stream, StoredRoom* room, std::u16string* why);

}  // namespace room
