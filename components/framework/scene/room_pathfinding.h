// What a room tells path planning: its node group, its default kind of graph, and which rooms a
// walker reaches from it directly (see room_calls.h).
#pragma once

#include "kivo/types.h"

namespace room {

RTSuccess GetPathfindingGroup(RTInstance self, int32_t* group);
RTSuccess GetDefaultPathfindingKind(RTInstance self, int32_t* kind);
RTSuccess SetPathfinding(RTInstance self, int32_t group, int32_t kind);
// The neighbour rooms are the reachable ones.
RTSuccess IsRoomReachable(RTInstance self, RTInstance other, RTBool* reachable);

}  // namespace room
