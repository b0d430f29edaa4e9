// Signals between actors, each type acted on once until the script clears its latch: the blocking
// query (type 0) and the make-way request (type 1), which asks a standing actor to step aside with
// the script event "DoMoveOutOfWay"; and the can-move flag that decides whether it can.
#pragma once

#include "kivo/actor/actor_calls.h"
#include "script_cells.h"

namespace tesk::actor {

inline constexpr uint32_t kSignalBlocking = 0;
inline constexpr uint32_t kSignalMakeWay = 1;

// From `sender` to `receiver`, answering 3 or 2 in *answer (when given). A latched type answers 3
// and does nothing. Blocking: 2 while the receiver moves, 3 when it stands, or moves on foot and can
// move and the sender, not the player, ranks below it. Make way: a receiver that can move is sent to
// a point 1.5 sender radii across the sender's heading from where it stands (its own position when
// dead ahead), answering 2; one that cannot is stopped and its latch cleared at once. 0 for a
// missing wrapper or a type other than 0 and 1.
RTSuccess Signal(RTInstance self, RTTeskActorWrapper* receiver, RTTeskActorWrapper* sender, uint32_t type,
                 uint32_t* answer);
// Script methods. (type): clears the latch of type 0 or 1; any other type gives 0.
RTSuccess ClearSignal(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// (bool): the can-move flag; and the flag as the result.
RTSuccess EnableCanMove(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
RTSuccess CanMove(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);

}  // namespace tesk::actor
