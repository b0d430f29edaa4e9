// The room list and the two name tables of a scene tree, and its room references.
//
// A room is entered into the name table (instance name, exact) and the path table (instance path,
// upper-cased: paths name instances ignoring case) once per entry of the room list. When its last
// entry leaves the list, every entry of the room leaves both tables and the room is detached, so
// neither table can hand out a room the tree no longer holds.
#include "kivo/scene/room_calls.h"
#include "kivo/support/raise.h"
#include "kivo/support/wide_string.h"
#include "scene_tree_methods.h"

namespace tesk::scene_tree {

namespace {

using namespace kivo;

constexpr uint32_t kNameUnits = 512;

bool IsListed(List* rooms, RTInstance room) {
  ListLink* link = nullptr;
  return ListFind(rooms, room, &link, nullptr) != 0;
}

// The room leaves the tables and the tree.
void Forget(SceneTreeState& tree, RTInstance room) {
  StrHashTableRemoveValue(tree.roomNames, room, nullptr);
  StrHashTableRemoveValue(tree.roomPaths, room, nullptr);
  room::AttachSceneTree(room, nullptr);
}

bool EnterNames(SceneTreeState& tree, RTInstance room) {
  char16_t name[kNameUnits] = {};
  char16_t path[kNameUnits] = {};
  return Core().GetInstanceName(nullptr, room, name, kNameUnits) &&
         Core().GetInstancePath(nullptr, room, path, kNameUnits) && StrHashTableInsert(tree.roomNames, name, room) &&
         StrHashTableInsert(tree.roomPaths, WideStrUpper(path).c_str(), room);
}

}  // namespace

void ReleaseRooms(RTInstance, SceneTreeState& tree) {
  for (RTInstance room : ListItems<RTInstanceRecord>(tree.rooms)) {
    Forget(tree, room);
    Core().ReleaseInstance(nullptr, room);
  }
  ListClear(tree.rooms);
}

RTInstance RegisteredRoomAt(SceneTreeState& tree, const std::u16string& path) {
  void* room = nullptr;
  return StrHashTableLookup(tree.roomPaths, WideStrUpper(path).c_str(), &room) ? static_cast<RTInstance>(room)
                                                                               : nullptr;
}

namespace method {

RTSuccess AddRoom(RTInstance self, RTInstance room) {
  SceneTreeState* tree = StateOf(self);
  if (!tree) return kRTFailure;
  if (!room || !Core().IsKindOfByName(nullptr, room, room::kClassName)) {
    Core().RaiseError(nullptr, u"RTBrellinRoom::AddRoom(), ahRoom must be of RTBrellinRoom or descendant", kLevelError);
    return kRTFailure;
  }
  if (!Core().ResolveHandle(nullptr, room)) return kRTFailure;
  if (!ListAppend(tree->rooms, room)) {
    Core().ReleaseInstance(nullptr, room);
    return kRTFailure;
  }
  if (!EnterNames(*tree, room))
    RaiseFormatted(kLevelError, u"RTTeskSceneTree::AddRoom(): the room's name or path cannot be entered");
  room::AttachSceneTree(room, self);
  return kRTSuccess;
}

RTSuccess RemoveRoom(RTInstance self, RTInstance room) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !room || !ListRemove(tree->rooms, room)) return kRTFailure;
  if (!IsListed(tree->rooms, room)) Forget(*tree, room);
  Core().ReleaseInstance(nullptr, room);
  return kRTSuccess;
}

RTSuccess ClearRoomList(RTInstance self) {
  SceneTreeState* tree = StateOf(self);
  if (!tree) return kRTFailure;
  ReleaseRooms(self, *tree);
  return kRTSuccess;
}

RTSuccess GetRoomCount(RTInstance self, uint32_t* count) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !count) return kRTFailure;
  *count = tree->rooms->count;
  return kRTSuccess;
}

RTSuccess GetRoomN(RTInstance self, uint32_t index, RTInstance* room) {
  SceneTreeState* tree = StateOf(self);
  void* found = nullptr;
  if (!tree || !room || !ListDataAt(tree->rooms, index, &found)) return kRTFailure;
  *room = static_cast<RTInstance>(found);
  return Core().ResolveHandle(nullptr, *room);
}

RTSuccess GetRoomList(RTInstance self, List** rooms) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !rooms) return kRTFailure;
  *rooms = tree->rooms;
  return kRTSuccess;
}

RTSuccess GetRoomNameList(RTInstance self, List** references) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !references) return kRTFailure;
  *references = tree->roomReferences;
  return kRTSuccess;
}

RTSuccess GetRoomByName(RTInstance self, const char16_t* name, RTInstance* room) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !name || !room) return kRTFailure;
  *room = nullptr;
  void* found = nullptr;
  if (!StrHashTableLookup(tree->roomNames, name, &found)) return kRTFailure;
  *room = static_cast<RTInstance>(found);
  return Core().ResolveHandle(nullptr, *room);
}

RTSuccess AddRoomByName(RTInstance self, const char16_t* reference) {
  SceneTreeState* tree = StateOf(self);
  char16_t* copy = nullptr;
  if (!tree || !reference || !WideStrDup(reference, &copy)) return kRTFailure;
  if (ListAppend(tree->roomReferences, copy)) return kRTSuccess;
  Core().ArrayFree(nullptr, copy);
  return kRTFailure;
}

RTSuccess EnableDesigning(RTInstance self, RTBool on) {
  SceneTreeState* tree = StateOf(self);
  if (!tree) return kRTFailure;
  tree->designing = on;
  for (RTInstance room : ListItems<RTInstanceRecord>(tree->rooms)) room::EnableDesigning(room, on);
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::scene_tree
