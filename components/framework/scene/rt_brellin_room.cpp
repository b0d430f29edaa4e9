// RTBrellinRoom: a room of a level (see room_calls.h). Its stream is read and written by
// room_stream.cpp, its hit tests are in room_hit_tests.cpp; the state record lives in the object
// word after the level's two tables.
#include <algorithm>

#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/geometry.h"
#include "kivo/support/held_children.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/raise.h"
#include "room_hit_tests.h"
#include "room_lighting.h"
#include "room_pathfinding.h"
#include "room_state.h"
#include "tesk/scene/scene_tree_calls.h"

namespace room {

namespace {

using namespace kivo;
namespace slot = kivo::room;

constexpr uint32_t kStateWord = slot::kObjectSize - 4;
constexpr uint32_t kNameUnits = 512;
constexpr uint32_t kMaxFootprint = 4096;
constexpr bool kOverrides = true;

std::u16string NameOf(RTInstance instance) {
  char16_t buffer[kNameUnits] = {};
  ModuleCore()->GetInstanceName(nullptr, instance, buffer, kNameUnits);
  return buffer;
}

bool IsHeldChild(const HeldNodes& held, RTInstance node) {
  return std::find(held.children.begin(), held.children.end(), node) != held.children.end();
}

// The room a game node of the room's node list names as its container.
void Contain(RTInstance node, RTInstance room) {
  if (ModuleCore()->IsKindOfByName(nullptr, node, tesk_scene_node::kClassName))
    tesk_scene_node::SetNodeRoom(node, room);
}

// A node leaving the room's node list stops naming it, unless another room has taken it since.
void Uncontain(RTInstance self, RTInstance node) {
  if (ModuleCore()->IsKindOfByName(nullptr, node, tesk_scene_node::kClassName))
    tesk_scene_node::LeaveNodeRoom(node, self);
}

// Gives back the references; in a destroy hook whose room has lost its children, those on
// children are left alone (held_children.h).
void ReleaseAll(RTInstance self, HeldNodes& held, bool destroying = false) {
  const bool childrenGone = destroying && ChildrenGone(self);
  for (RTInstance node : ListItems<RTInstanceRecord>(held.list)) {
    if (childrenGone && IsHeldChild(held, node)) continue;
    if (held.containing) Uncontain(self, node);
    ModuleCore()->ReleaseInstance(nullptr, node);
  }
  ListClear(held.list);
  held.children.clear();
}

// Gives back the bounds node's reference; in a destroy hook whose room has lost its children the
// node is gone already.
void DropBoundsNode(RTInstance self, RoomState& room, bool destroying = false) {
  if (room.boundsHeld && !(destroying && ChildrenGone(self))) ModuleCore()->ReleaseInstance(nullptr, room.boundsHeld);
  room.boundsHeld = nullptr;
}

void Append(RTInstance self, HeldNodes& held, RTInstance node) {
  ListAppend(held.list, node);
  if (IsChildOf(node, self)) held.children.push_back(node);
  if (held.containing) Contain(node, self);
}

}  // namespace

RoomState* StateOf(RTInstance self) { return StateIn<RoomState>(self, kStateWord); }

void Resolve(RTInstance self, HeldNodes& held, const char16_t* method) {
  for (const std::u16string& name : held.unresolved) {
    RTInstance node = nullptr;
    if (ModuleCore()->FindChild(nullptr, self, name.c_str(), &node) &&
        ModuleCore()->IsKindOfByName(nullptr, node, scene_node::kClassName)) {
      Append(self, held, node);
      continue;
    }
    if (node) ModuleCore()->ReleaseInstance(nullptr, node);
    RaiseFormatted(kLevelError, u"RTBrellinRoom::%s(): the room %s has no scene node %s; it is left out", method,
                   NameOf(self), name);
  }
  held.unresolved.clear();
}

namespace {

RTSuccess Hold(RTInstance self, HeldNodes& held, RTInstance node, const char16_t* method) {
  if (!node) return kRTFailure;
  Resolve(self, held, method);
  ListLink* link = nullptr;
  if (ListFind(held.list, node, &link, nullptr) || !ModuleCore()->ResolveHandle(nullptr, node)) return kRTFailure;
  Append(self, held, node);
  return kRTSuccess;
}

// The names of the held nodes that are the room's children: those its stream can name.
std::vector<std::u16string> ChildNames(const HeldNodes& held) {
  std::vector<std::u16string> names;
  for (RTInstance node : ListItems<RTInstanceRecord>(held.list))
    if (IsHeldChild(held, node)) names.push_back(NameOf(node));
  return names;
}

// The attached tree's rooms of the names, borrowed (the tree holds them).
RTSuccess AnswerRooms(const RoomState& room, const std::vector<std::u16string>& names, List* answer, List** out) {
  if (!out) return kRTFailure;
  ListRecycle(answer, room.spareLinks);
  for (const std::u16string& name : names) {
    RTInstance found = nullptr;
    if (room.tree && tesk::scene_tree::GetRoomByName(room.tree, name.c_str(), &found)) {
      ListAppendRecycled(answer, room.spareLinks, found);
      ModuleCore()->ReleaseInstance(nullptr, found);
    }
  }
  *out = answer;
  return kRTSuccess;
}

RTSuccess Construct(RTInstance self) {
  RoomState* room = MakeState<RoomState>(self, kStateWord);
  if (!room) return kRTFailure;
  room->nodes.containing = true;
  ModuleCore()->GetComponentHandle(nullptr, scene_node::kClassName, &room->sceneNodeClass);
  ModuleCore()->GetComponentHandle(nullptr, tesk_scene_node::kClassName, &room->teskSceneNodeClass);
  return ListCreate(&room->nodes.list) && ListCreate(&room->lights.list) && ListCreate(&room->neighbours) &&
                 ListCreate(&room->further) && ListCreate(&room->spareLinks)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess Destroy(RTInstance self) {
  if (RoomState* room = StateOf(self)) {
    for (HeldNodes* held : {&room->nodes, &room->lights}) {
      if (held->list) ReleaseAll(self, *held, true);
      ListDestroy(held->list);
    }
    ListDestroy(room->neighbours);
    ListDestroy(room->further);
    ListDestroy(room->spareLinks);
    DropBoundsNode(self, *room, true);
    if (room->hitFilter && !(room->hitFilterBelowRoom && ChildrenGone(self)))
      ModuleCore()->ReleaseInstance(nullptr, room->hitFilter);
  }
  EndState<RoomState>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  RoomState* room = StateOf(self);
  if (!room || !component::IsWholeStage(stage)) return kRTFailure;
  Resolve(self, room->nodes, u"StreamOut");
  Resolve(self, room->lights, u"StreamOut");
  const StoredRoom stored{room->boxMin,
                          room->boxMax,
                          room->flags,
                          room->footprint,
                          room->walls,
                          room->neighbourNames,
                          room->furtherNames,
                          ChildNames(room->nodes),
                          ChildNames(room->lights),
                          room->boundsNode,
                          room->pathfindingGroup,
                          room->pathfindingKind};
  return WriteStoredRoom(stream, stored) ? kRTSuccess : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  RoomState* room = StateOf(self);
  if (!room || !component::IsWholeStage(stage)) return kRTFailure;
  StoredRoom read;
  std::u16string why;
  if (!ReadStoredRoom(stream, &read, &why)) {
    RaiseFormatted(kLevelError, u"RTBrellinRoom::StreamIn(): %s; the room is left as it was", why);
    return kRTFailure;
  }
  room->boxMin = read.boxMin;
  room->boxMax = read.boxMax;
  room->flags = read.flags;
  room->SetFootprint(std::move(read.footprint), std::move(read.walls));
  room->neighbourNames = std::move(read.neighbours);
  room->furtherNames = std::move(read.further);
  DropBoundsNode(self, *room);
  room->boundsNode = std::move(read.boundsNode);
  room->pathfindingGroup = read.pathfindingGroup;
  room->pathfindingKind = read.pathfindingKind;
  ReleaseAll(self, room->nodes);
  room->placed.clear();
  ReleaseAll(self, room->lights);
  room->nodes.unresolved = std::move(read.nodes);
  room->lights.unresolved = std::move(read.lights);
  return kRTSuccess;
}

RTSuccess GetBoundingBox(RTInstance self, RTFVector3D* min, RTFVector3D* max) {
  RoomState* room = StateOf(self);
  if (!room || !min || !max) return kRTFailure;
  *min = room->boxMin;
  *max = room->boxMax;
  return kRTSuccess;
}

RTSuccess SetBoundingBox(RTInstance self, const RTFVector3D* min, const RTFVector3D* max) {
  RoomState* room = StateOf(self);
  if (!room || !min || !max) return kRTFailure;
  room->boxMin = *min;
  room->boxMax = *max;
  return kRTSuccess;
}

RTSuccess GetFootprint(RTInstance self, const RTFVector3D** points, uint32_t* count, uint32_t* word) {
  RoomState* room = StateOf(self);
  if (!room || !points || !count || !word) return kRTFailure;
  *points = room->footprint.data();
  *count = static_cast<uint32_t>(room->footprint.size());
  *word = 0;
  return kRTSuccess;
}

RTSuccess SetFootprint(RTInstance self, const RTFVector3D* points, uint32_t count) {
  RoomState* room = StateOf(self);
  if (!room || (count && !points) || count > kMaxFootprint) return kRTFailure;
  room->SetFootprint(std::vector<RTFVector3D>(points, points + count), std::vector<RTBool>(count, 1));
  return kRTSuccess;
}

RTSuccess GetWalls(RTInstance self, const RTBool** walls, uint32_t* count) {
  RoomState* room = StateOf(self);
  if (!room || !walls || !count) return kRTFailure;
  *walls = room->walls.data();
  *count = static_cast<uint32_t>(room->walls.size());
  return kRTSuccess;
}

RTSuccess SetWalls(RTInstance self, const RTBool* walls, uint32_t count) {
  RoomState* room = StateOf(self);
  if (!room || count != room->walls.size() || (count && !walls)) return kRTFailure;
  for (uint32_t i = 0; i < count; ++i) room->walls[i] = walls[i] ? 1 : 0;
  return kRTSuccess;
}

RTSuccess ContainsPoint(RTInstance self, const RTFVector3D* point) {
  RoomState* room = StateOf(self);
  if (!room || !point || point->y < room->boxMin.y || point->y > room->boxMax.y) return 0;
  const RTFVector2D ground{point->x, point->z};
  return PointInPolygon2D(room->outline.data(), static_cast<uint32_t>(room->outline.size()), ground);
}

RTSuccess GetFlags(RTInstance self, uint32_t* flags) {
  RoomState* room = StateOf(self);
  if (!room || !flags) return kRTFailure;
  *flags = room->flags;
  return kRTSuccess;
}

RTSuccess SetFlags(RTInstance self, uint32_t flags) {
  RoomState* room = StateOf(self);
  if (!room) return kRTFailure;
  room->flags = flags;
  return kRTSuccess;
}

RTSuccess EnableDesigning(RTInstance self, RTBool on) {
  RoomState* room = StateOf(self);
  if (!room) return kRTFailure;
  room->designing = on;
  return kRTSuccess;
}

RTSuccess AddNode(RTInstance self, RTInstance node) {
  RoomState* room = StateOf(self);
  return room ? Hold(self, room->nodes, node, u"AddNode") : kRTFailure;
}

RTSuccess RemoveNode(RTInstance self, RTInstance node) {
  RoomState* room = StateOf(self);
  if (!room || !node) return kRTFailure;
  Resolve(self, room->nodes, u"RemoveNode");
  if (!ListRemove(room->nodes.list, node)) return kRTFailure;
  room->placed.clear();
  std::erase(room->nodes.children, node);
  Uncontain(self, node);
  ModuleCore()->ReleaseInstance(nullptr, node);
  return kRTSuccess;
}

RTSuccess GetNodeList(RTInstance self, List** nodes) {
  RoomState* room = StateOf(self);
  if (!room || !nodes) return kRTFailure;
  Resolve(self, room->nodes, u"GetNodeList");
  *nodes = room->nodes.list;
  return kRTSuccess;
}

RTSuccess AddLight(RTInstance self, RTInstance node) {
  RoomState* room = StateOf(self);
  return room ? Hold(self, room->lights, node, u"AddLight") : kRTFailure;
}

RTSuccess GetLightList(RTInstance self, List** lights) {
  RoomState* room = StateOf(self);
  if (!room || !lights) return kRTFailure;
  Resolve(self, room->lights, u"GetLightList");
  *lights = room->lights.list;
  return kRTSuccess;
}

RTSuccess RefreshNodes(RTInstance self) {
  RoomState* room = StateOf(self);
  if (!room) return kRTFailure;
  Resolve(self, room->nodes, u"RefreshNodes");
  return kRTSuccess;
}

RTSuccess RefreshLights(RTInstance self) {
  RoomState* room = StateOf(self);
  if (!room) return kRTFailure;
  Resolve(self, room->lights, u"RefreshLights");
  return kRTSuccess;
}

RTSuccess GetBoundsNode(RTInstance self, RTInstance* node) {
  RoomState* room = StateOf(self);
  if (!room || !node) return kRTFailure;
  // Held from the first look-up on: a node of the instance store whose last reference goes is
  // unloaded, and the frame asks for the bounds of every room.
  if (!room->boundsHeld && !room->boundsNode.empty() &&
      !ModuleCore()->FindChild(nullptr, self, room->boundsNode.c_str(), &room->boundsHeld))
    RaiseFormatted(kLevelError, u"RTBrellinRoom::GetBoundsNode(): the room %s has no child %s", NameOf(self),
                   room->boundsNode);
  *node = room->boundsHeld;
  return room->boundsHeld ? ModuleCore()->ResolveHandle(nullptr, room->boundsHeld) : kRTSuccess;
}

RTSuccess Draw(RTInstance self, uint32_t milliseconds, const RTSceneNodeEntityFrameInformation* frame) {
  InstanceRef bounds;
  if (!StateOf(self) || !frame || !GetBoundsNode(self, bounds.out())) return kRTFailure;
  InstanceRef entity;
  if (bounds.get() && scene_node::GetEntity(bounds.get(), entity.out()) && entity.get())
    return renderable::ProcessFrame(entity.get(), milliseconds, frame);
  return kRTSuccess;
}

RTSuccess SetBoundsNode(RTInstance self, RTInstance node) {
  RoomState* room = StateOf(self);
  if (!room || (node && !IsChildOf(node, self))) return kRTFailure;
  DropBoundsNode(self, *room);
  room->boundsNode = node ? NameOf(node) : std::u16string();
  return kRTSuccess;
}

RTSuccess AddNeighbourRoom(RTInstance self, const char16_t* name) {
  RoomState* room = StateOf(self);
  if (!room || !name || !*name) return kRTFailure;
  room->neighbourNames.emplace_back(name);
  return kRTSuccess;
}

RTSuccess AddFurtherRoom(RTInstance self, const char16_t* name) {
  RoomState* room = StateOf(self);
  if (!room || !name || !*name) return kRTFailure;
  room->furtherNames.emplace_back(name);
  return kRTSuccess;
}

RTSuccess GetNeighbourRooms(RTInstance self, List** rooms) {
  RoomState* room = StateOf(self);
  return room ? AnswerRooms(*room, room->neighbourNames, room->neighbours, rooms) : kRTFailure;
}

RTSuccess GetFurtherRooms(RTInstance self, List** rooms) {
  RoomState* room = StateOf(self);
  return room ? AnswerRooms(*room, room->furtherNames, room->further, rooms) : kRTFailure;
}

RTSuccess PrepareLighting(RTInstance self) { return StateOf(self) ? kRTSuccess : kRTFailure; }

RTSuccess AttachSceneTree(RTInstance self, RTInstance tree) {
  RoomState* room = StateOf(self);
  if (!room) return kRTFailure;
  room->tree = tree;
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"GetBoundingBox", GetBoundingBox, slot::kGetBoundingBox, u"RTSuccess",
           u"RTFVector3D out opMin, RTFVector3D out opMax"),
    Method(u"Draw", Draw, slot::kDraw, u"RTSuccess",
           u"uint aMSTime, RTSceneNodeEntityFrameInformation in apNodeInformation"),
    Method(u"GetFootprint", GetFootprint, slot::kGetFootprint, u"RTSuccess",
           u"RTFVector3D* out oppPoints, uint out opnPoints, uint out opWord"),
    Method(u"AddNode", AddNode, slot::kAddNode, u"RTSuccess", u"RTInstance ahNode"),
    Method(u"RemoveNode", RemoveNode, slot::kRemoveNode, u"RTSuccess", u"RTInstance ahNode"),
    Method(u"GetNodeList", GetNodeList, slot::kGetNodeList, u"RTSuccess", u"List* out oppNodes"),
    Method(u"GetLightList", GetLightList, slot::kGetLightList, u"RTSuccess", u"List* out oppLights"),
    Method(u"PrepareLighting", PrepareLighting, slot::kPrepareLighting, u"RTSuccess", u""),
    Method(u"GetFurtherRooms", GetFurtherRooms, slot::kGetFurtherRooms, u"RTSuccess", u"List* out oppRooms"),
    Method(u"GetBoundsNode", GetBoundsNode, slot::kGetBoundsNode, u"RTSuccess", u"RTInstance out ophNode"),
    Method(u"ContainsPoint", ContainsPoint, slot::kContainsPoint, u"RTSuccess", u"RTFVector3D in apPoint"),
    Method(u"RefreshNodes", RefreshNodes, slot::kRefreshNodes, u"RTSuccess", u""),
    Method(u"GetNeighbourRooms", GetNeighbourRooms, slot::kGetNeighbourRooms, u"RTSuccess", u"List* out oppRooms"),
    Method(u"RefreshLights", RefreshLights, slot::kRefreshLights, u"RTSuccess", u""),
    Method(u"EnableDesigning", EnableDesigning, slot::kEnableDesigning, u"RTSuccess", u"RTBool abEnable"),
    Method(u"GetFlags", GetFlags, slot::kGetFlags, u"RTSuccess", u"uint out opFlags"),
    Method(u"SetFlags", SetFlags, slot::kSetFlags, u"RTSuccess", u"uint aFlags"),
    Method(u"AttachSceneTree", AttachSceneTree, slot::kAttachSceneTree, u"RTSuccess", u"RTInstance ahSceneTree"),
    Method(u"StreamIn", StreamIn, slot::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamOut", StreamOut, slot::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream", kOverrides),
    Method(u"SetBoundingBox", SetBoundingBox, slot::kSetBoundingBox, u"RTSuccess",
           u"RTFVector3D in apMin, RTFVector3D in apMax"),
    Method(u"SetFootprint", SetFootprint, slot::kSetFootprint, u"RTSuccess", u"RTFVector3D* apPoints, uint anPoints"),
    Method(u"AddNeighbourRoom", AddNeighbourRoom, slot::kAddNeighbourRoom, u"RTSuccess", u"wchar[] apName"),
    Method(u"AddFurtherRoom", AddFurtherRoom, slot::kAddFurtherRoom, u"RTSuccess", u"wchar[] apName"),
    Method(u"AddLight", AddLight, slot::kAddLight, u"RTSuccess", u"RTInstance ahNode"),
    Method(u"SetBoundsNode", SetBoundsNode, slot::kSetBoundsNode, u"RTSuccess", u"RTInstance ahNode"),
    Method(u"RayHitTest", RayHitTest, slot::kRayHitTest, u"RTSuccess",
           u"RTFVector3D in apOrigin, RTFVector3D in apDirection, float* apDistance, RTFVector3D out opPoint, "
           u"uint out opWordA, RTInstance out ophWordB"),
    Method(u"SphereHitTest", SphereHitTest, slot::kSphereHitTest, u"RTSuccess",
           u"RTFVector3D in apStart, RTFVector3D in apMovement, float aRadius, float* apDistance, "
           u"RTFVector3D out opPoint, RTFVector3D out opNormal, uint out opWordA, RTInstance out ophWordB"),
    Method(u"SetHitTestFilter", SetHitTestFilter, slot::kSetHitTestFilter, u"RTSuccess", u"RTInstance ahFilter"),
    Method(u"SetWalls", SetWalls, slot::kSetWalls, u"RTSuccess", u"RTBool* apWalls, uint anWalls"),
    Method(u"GetWalls", GetWalls, slot::kGetWalls, u"RTSuccess", u"RTBool* out oppWalls, uint out opnWalls"),
    Method(u"GetPathfindingGroup", GetPathfindingGroup, slot::kGetPathfindingGroup, u"RTSuccess",
           u"sint out opGroup"),
    Method(u"GetDefaultPathfindingKind", GetDefaultPathfindingKind, slot::kGetDefaultPathfindingKind, u"RTSuccess",
           u"sint out opKind"),
    Method(u"SetPathfinding", SetPathfinding, slot::kSetPathfinding, u"RTSuccess", u"sint aGroup, sint aKind"),
    Method(u"IsRoomReachable", IsRoomReachable, slot::kIsRoomReachable, u"RTSuccess",
           u"RTInstance ahRoom, RTBool out opbReachable"),
    Method(u"GetLightingResult", GetLightingResult, slot::kGetLightingResult, u"RTSuccess",
           u"RTInstance out ophResult"),
    Method(u"SetLightsDropped", SetLightsDropped, slot::kSetLightsDropped, u"RTSuccess", u"RTBool abDropped"),
    Method(u"GetLightsDropped", GetLightsDropped, slot::kGetLightsDropped, u"RTSuccess", u"RTBool out opbDropped"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"A room of a level: box, footprint and walls, flags, nodes, lights, linked rooms and hit tests",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

void RoomState::SetFootprint(std::vector<RTFVector3D> points, std::vector<RTBool> edgeWalls) {
  footprint = std::move(points);
  walls = std::move(edgeWalls);
  outline.clear();
  for (const RTFVector3D& point : footprint) outline.push_back({point.x, point.z});
}

}  // namespace room

KIVO_COMPONENT(room::gDefinition)
