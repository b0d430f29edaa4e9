#include "room_pathfinding.h"

#include "kivo/scene/room_calls.h"
#include "kivo/support/list.h"
#include "room_state.h"

namespace room {

RTSuccess GetPathfindingGroup(RTInstance self, int32_t* group) {
  RoomState* room = StateOf(self);
  if (!room || !group) return kRTFailure;
  *group = room->pathfindingGroup;
  return kRTSuccess;
}

RTSuccess GetDefaultPathfindingKind(RTInstance self, int32_t* kind) {
  RoomState* room = StateOf(self);
  if (!room || !kind) return kRTFailure;
  *kind = room->pathfindingKind;
  return kRTSuccess;
}

RTSuccess SetPathfinding(RTInstance self, int32_t group, int32_t kind) {
  RoomState* room = StateOf(self);
  if (!room) return kRTFailure;
  room->pathfindingGroup = group;
  room->pathfindingKind = kind;
  return kRTSuccess;
}

RTSuccess IsRoomReachable(RTInstance self, RTInstance other, RTBool* reachable) {
  kivo::List* neighbours = nullptr;
  if (!reachable || !StateOf(self) || !kivo::room::GetNeighbourRooms(self, &neighbours)) return kRTFailure;
  kivo::ListLink* link = nullptr;
  *reachable = other && kivo::ListFind(neighbours, other, &link, nullptr) ? 1 : 0;
  return kRTSuccess;
}

}  // namespace room
