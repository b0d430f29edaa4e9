// Calls on a room (class RTBrellinRoom): a part of a level with a box, a footprint on the ground
// plane, a flag word, the scene nodes and light nodes it holds, and the rooms it links to. Every
// call returns 1 on success and 0 on failure; the point test returns its answer.
//
// A room's nodes and lights are child instances of the room, named in its stream (nodes that other
// owners add, such as characters, are held while listed but not streamed). Lists are the room's
// own, valid until the room changes them; the node and light lists hold a reference on each node.
// Neighbour and further rooms are kept by name and answered, borrowed, from the rooms of the scene
// tree the room is attached to: a room never holds another, and one that left the tree is not
// found. A room's name is its instance name (component::GetName).
//
// Hit tests: a room collides what moves with its walls and its obstacles, in the x-z plane (y is
// left out). Its walls are the footprint edges marked as walls (edge i runs from point i to point
// i + 1, the last back to the first; every edge is a wall until marked otherwise, and openings
// between rooms are not); its obstacles are the nodes of its node list that carry an obstacle box
// (scene_node_calls.h). A distance is the parameter t along the vector given (the hit is at start +
// t x vector), from 0 with no upper bound; a test reports the nearest hit below the distance it is
// handed. Hit word A is 0 for a wall and 1 for an obstacle; hit word B is null for a wall, else the
// obstacle node with a reference that the caller gives back.
//
// The slots below 0x200 are those that callers number; the others are the framework's own.
#pragma once

#include "kivo/scene/frame_information.h"
#include "kivo/slots.h"
#include "kivo/support/list.h"
#include "kivo/support/math_types.h"

namespace kivo::room {

inline constexpr char16_t kClassName[] = u"RTBrellinRoom";

inline constexpr MethodSlot<RTFVector3D*, RTFVector3D*> kGetBoundingBox{0x00};
inline constexpr MethodSlot<uint32_t, const RTSceneNodeEntityFrameInformation*> kDraw{0x0c};
inline constexpr MethodSlot<const RTFVector3D**, uint32_t*, uint32_t*> kGetFootprint{0x2c};
inline constexpr MethodSlot<RTInstance> kAddNode{0x5c};
inline constexpr MethodSlot<RTInstance> kRemoveNode{0x60};
inline constexpr MethodSlot<List**> kGetNodeList{0x64};
inline constexpr MethodSlot<List**> kGetLightList{0x70};
inline constexpr MethodSlot<> kPrepareLighting{0x7c};
inline constexpr MethodSlot<List**> kGetFurtherRooms{0x80};
inline constexpr MethodSlot<RTInstance*> kGetBoundsNode{0x94};
inline constexpr MethodSlot<const RTFVector3D*> kContainsPoint{0xa0};
inline constexpr MethodSlot<> kRefreshNodes{0xa4};
inline constexpr MethodSlot<List**> kGetNeighbourRooms{0xc8};
inline constexpr MethodSlot<> kRefreshLights{0xcc};
inline constexpr MethodSlot<RTBool> kEnableDesigning{0xec};
inline constexpr MethodSlot<uint32_t*> kGetFlags{0x124};
inline constexpr MethodSlot<uint32_t> kSetFlags{0x128};
inline constexpr MethodSlot<RTInstance> kAttachSceneTree{0x14c};

// The framework's own.
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x200};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x204};
inline constexpr MethodSlot<const RTFVector3D*, const RTFVector3D*> kSetBoundingBox{0x208};
inline constexpr MethodSlot<const RTFVector3D*, uint32_t> kSetFootprint{0x20c};
inline constexpr MethodSlot<const char16_t*> kAddNeighbourRoom{0x210};
inline constexpr MethodSlot<const char16_t*> kAddFurtherRoom{0x214};
inline constexpr MethodSlot<RTInstance> kAddLight{0x218};
inline constexpr MethodSlot<RTInstance> kSetBoundsNode{0x21c};
inline constexpr MethodSlot<const RTFVector3D*, const RTFVector3D*, float*, RTFVector3D*, uint32_t*, RTInstance*> kRayHitTest{0x220};
inline constexpr MethodSlot<const RTFVector3D*, const RTFVector3D*, float, float*, RTFVector3D*, RTFVector3D*, uint32_t*, RTInstance*> kSphereHitTest{0x224};
inline constexpr MethodSlot<RTInstance> kSetHitTestFilter{0x228};
inline constexpr MethodSlot<const RTBool*, uint32_t> kSetWalls{0x22c};
inline constexpr MethodSlot<const RTBool**, uint32_t*> kGetWalls{0x230};
inline constexpr MethodSlot<int32_t*> kGetPathfindingGroup{0x234};
inline constexpr MethodSlot<int32_t*> kGetDefaultPathfindingKind{0x238};
inline constexpr MethodSlot<int32_t, int32_t> kSetPathfinding{0x23c};
inline constexpr MethodSlot<RTInstance, RTBool*> kIsRoomReachable{0x240};
inline constexpr MethodSlot<RTInstance*> kGetLightingResult{0x244};
inline constexpr MethodSlot<RTBool> kSetLightsDropped{0x248};
inline constexpr MethodSlot<RTBool*> kGetLightsDropped{0x24c};
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;
inline constexpr uint32_t kObjectSize = 0x14;
inline constexpr uint32_t kSlotTableSize = kGetLightsDropped + 4;
inline constexpr uint32_t kStreamVersion = 3;

// Room flags.
inline constexpr uint32_t kOutOfQuadTree = 0x10;    // left out of the quad tree, lookups, hit tests and baking
inline constexpr uint32_t kScenarioChanged = 0x20;  // cleared by every scenario change
inline constexpr uint32_t kDisabled = 0x40;         // outside the current scenario

inline RTSuccess GetBoundingBox(RTInstance r, RTFVector3D* min, RTFVector3D* max) {
  return CallMethod(r, kLevel, kGetBoundingBox, min, max);
}
// Draws the room's own geometry, the entity of its bounds node, with the frame record handed.
inline RTSuccess Draw(RTInstance r, uint32_t milliseconds, const RTSceneNodeEntityFrameInformation* frame) {
  return CallMethod(r, kLevel, kDraw, milliseconds, frame);
}
inline RTSuccess SetBoundingBox(RTInstance r, const RTFVector3D* min, const RTFVector3D* max) {
  return CallMethod(r, kLevel, kSetBoundingBox, min, max);
}
// The footprint polygon: x and z of each point count (y is 0); `word` is always 0.
inline RTSuccess GetFootprint(RTInstance r, const RTFVector3D** points, uint32_t* count, uint32_t* word) {
  return CallMethod(r, kLevel, kGetFootprint, points, count, word);
}
// At most 4096 points, copied; fewer than 3 make a footprint that holds no point. Every edge of
// the new footprint is a wall.
inline RTSuccess SetFootprint(RTInstance r, const RTFVector3D* points, uint32_t count) {
  return CallMethod(r, kLevel, kSetFootprint, points, count);
}
// One flag per footprint edge (count = the footprint's point count, else the call fails and
// nothing changes): non-zero marks a wall.
inline RTSuccess SetWalls(RTInstance r, const RTBool* walls, uint32_t count) {
  return CallMethod(r, kLevel, kSetWalls, walls, count);
}
// The room's own flags, one per footprint edge, valid until the footprint changes.
inline RTSuccess GetWalls(RTInstance r, const RTBool** walls, uint32_t* count) {
  return CallMethod(r, kLevel, kGetWalls, walls, count);
}
// 1 when the point lies inside the footprint by the winding rule (in x and z) and within the box's
// y range, else 0.
inline RTSuccess ContainsPoint(RTInstance r, const RTFVector3D* point) {
  return CallMethod(r, kLevel, kContainsPoint, point);
}
// Called before the room's lightmaps are baked; a room needs no preparation, so it does nothing.
inline RTSuccess PrepareLighting(RTInstance r) { return CallMethod(r, kLevel, kPrepareLighting); }
inline RTSuccess GetFlags(RTInstance r, uint32_t* flags) { return CallMethod(r, kLevel, kGetFlags, flags); }
inline RTSuccess SetFlags(RTInstance r, uint32_t flags) { return CallMethod(r, kLevel, kSetFlags, flags); }
inline RTSuccess EnableDesigning(RTInstance r, RTBool on) { return CallMethod(r, kLevel, kEnableDesigning, on); }

// Node list: adding takes a reference (a node already listed is refused), removing gives it back.
inline RTSuccess AddNode(RTInstance r, RTInstance node) { return CallMethod(r, kLevel, kAddNode, node); }
inline RTSuccess RemoveNode(RTInstance r, RTInstance node) { return CallMethod(r, kLevel, kRemoveNode, node); }
inline RTSuccess GetNodeList(RTInstance r, List** nodes) { return CallMethod(r, kLevel, kGetNodeList, nodes); }
inline RTSuccess AddLight(RTInstance r, RTInstance node) { return CallMethod(r, kLevel, kAddLight, node); }
inline RTSuccess GetLightList(RTInstance r, List** lights) { return CallMethod(r, kLevel, kGetLightList, lights); }
// The node that carries the room's own geometry, with a reference for the caller (null: none). It
// must be a child of the room.
inline RTSuccess GetBoundsNode(RTInstance r, RTInstance* node) { return CallMethod(r, kLevel, kGetBoundsNode, node); }
inline RTSuccess SetBoundsNode(RTInstance r, RTInstance node) { return CallMethod(r, kLevel, kSetBoundsNode, node); }
// A stored room names its nodes and lights; these load them now (they also load on first use).
inline RTSuccess RefreshNodes(RTInstance r) { return CallMethod(r, kLevel, kRefreshNodes); }
inline RTSuccess RefreshLights(RTInstance r) { return CallMethod(r, kLevel, kRefreshLights); }

// Linked rooms by instance name; the lists hold the attached scene tree's rooms of those names.
inline RTSuccess AddNeighbourRoom(RTInstance r, const char16_t* name) {
  return CallMethod(r, kLevel, kAddNeighbourRoom, name);
}
inline RTSuccess AddFurtherRoom(RTInstance r, const char16_t* name) {
  return CallMethod(r, kLevel, kAddFurtherRoom, name);
}
inline RTSuccess GetNeighbourRooms(RTInstance r, List** rooms) {
  return CallMethod(r, kLevel, kGetNeighbourRooms, rooms);
}
inline RTSuccess GetFurtherRooms(RTInstance r, List** rooms) { return CallMethod(r, kLevel, kGetFurtherRooms, rooms); }
// The scene tree that lists the room (null: none). The room keeps no reference: the tree holds it.
inline RTSuccess AttachSceneTree(RTInstance r, RTInstance tree) {
  return CallMethod(r, kLevel, kAttachSceneTree, tree);
}

// The nearest hit of the ray origin + t x direction (t from 0 to below *distance): 1 with
// *distance, the hit point and the words written, else 0 with all of them untouched. The filter
// takes no part.
inline RTSuccess RayHitTest(RTInstance r, const RTFVector3D* origin, const RTFVector3D* direction, float* distance,
                            RTFVector3D* point, uint32_t* wordA, RTInstance* wordB) {
  return CallMethod(r, kLevel, kRayHitTest, origin, direction, distance, point, wordA, wordB);
}
// The first touch of a circle of the radius whose centre moves from start by t x movement (t from
// 0 to below *distance): 1 with *distance, the contact point (on the wall or obstacle), the contact
// normal (from there to the centre, y 0) and the words written, else 0 with all of them untouched.
// A circle that already overlaps something at the start touches it at 0 when it moves into it; one
// that stands still or moves away does not. A radius not above 0 touches nothing. What the filter
// holds takes no part.
inline RTSuccess SphereHitTest(RTInstance r, const RTFVector3D* start, const RTFVector3D* movement, float radius,
                               float* distance, RTFVector3D* point, RTFVector3D* normal, uint32_t* wordA,
                               RTInstance* wordB) {
  return CallMethod(r, kLevel, kSphereHitTest, start, movement, radius, distance, point, normal, wordA, wordB);
}
// A scene node (null: none) that the room's sphere tests leave out, with the nodes below it, until
// the filter is set again. The room holds a reference on it.
inline RTSuccess SetHitTestFilter(RTInstance r, RTInstance filter) {
  return CallMethod(r, kLevel, kSetHitTestFilter, filter);
}

// Path planning: the room's node group in the route planner's graphs (-1 for every group) and the
// kind of graph its walkers plan on unless told otherwise (-1 and 0 for a new room).
inline RTSuccess GetPathfindingGroup(RTInstance r, int32_t* group) {
  return CallMethod(r, kLevel, kGetPathfindingGroup, group);
}
inline RTSuccess GetDefaultPathfindingKind(RTInstance r, int32_t* kind) {
  return CallMethod(r, kLevel, kGetDefaultPathfindingKind, kind);
}
inline RTSuccess SetPathfinding(RTInstance r, int32_t group, int32_t kind) {
  return CallMethod(r, kLevel, kSetPathfinding, group, kind);
}
// Whether a walker can go from this room straight into `other`: *reachable 1 when `other` is one of
// its neighbour rooms (the room itself is not), else 0.
inline RTSuccess IsRoomReachable(RTInstance r, RTInstance other, RTBool* reachable) {
  return CallMethod(r, kLevel, kIsRoomReachable, other, reachable);
}

// Lighting: the room's lighting result is the mesh of its bounds node when that is an
// RTStaticLitMesh whose lighting is done (static_lit_mesh_calls.h), with a reference for the
// caller; null (and success) when there is none. Dropping the lights is a mark the room keeps
// while the game runs (not streamed); the game switches the result off and on itself.
inline RTSuccess GetLightingResult(RTInstance r, RTInstance* result) {
  return CallMethod(r, kLevel, kGetLightingResult, result);
}
inline RTSuccess SetLightsDropped(RTInstance r, RTBool dropped) {
  return CallMethod(r, kLevel, kSetLightsDropped, dropped);
}
inline RTSuccess GetLightsDropped(RTInstance r, RTBool* dropped) {
  return CallMethod(r, kLevel, kGetLightsDropped, dropped);
}

// Hit word A of the rooms' tests.
inline constexpr uint32_t kHitWall = 0;
inline constexpr uint32_t kHitObstacle = 1;

}  // namespace kivo::room
