// Where an actor stands and which way it faces, as the script sets and reads them. Script methods
// (instance, calling object, argument count, cells, result cell, VM); each returns 0 without
// effect when the object has no wrapper. Vector results go into the result cell's block.
#pragma once

#include "kivo/actor/actor_calls.h"
#include "script_cells.h"

namespace tesk::actor {

// (point): places the actor on the floor (y 0) in the room under the point, raising "OnRoomEnter"
// with the room's name on the root node's script object, also when the room is the one it stood
// in. A missing scene tree, a point in no room or in a dummy room (flag 0x10 or 0x40) is reported
// and moves nothing; the actor has then joined the dummy room all the same. Always 1 for a wrapper.
RTSuccess SetPosition(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// The translation of the root node's placement.
RTSuccess GetPosition(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// The frame's forward and side rows.
RTSuccess GetForwardVector(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
RTSuccess GetSideVector(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
RTSuccess GetTargetVector(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// (heading in degrees): turns the actor at once (0 faces +z, 90 faces +x), its root node with it;
// the next frame takes the heading unblended. Cancels pending look-at requests.
RTSuccess SetViewDirection(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);

}  // namespace tesk::actor
