// The actor's path as the script sets, starts and reads it. Script methods (instance, calling
// object, argument count, cells, result cell, VM); each returns 0 without effect when the object
// has no wrapper. The path is an array of PathPoint records in core memory that the wrapper owns.
#pragma once

#include "kivo/actor/actor_calls.h"
#include "script_cells.h"

namespace tesk::actor {

// (goal, reverse, scatter radius, planning option, point list, planning argument): a goal within 1
// of the origin in x and z is reported and refused (0). A non-empty list of vector3s becomes the
// path (widths 0.25, the last point the goal), replacing the old one whole, and the result is 1;
// the actor does not start. A list with another element is reported and refused, the old path kept.
// Without a list the path is planned toward the goal, scattered by the radius in a random ground
// direction, with the planning argument as the pathfinding kind (-1: the actor's own); result 1
// when a path was made.
RTSuccess MoveTo(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// Measures the path and sets the actor moving; an actor on foot standing still first turns toward
// the path's second node, and one moving whose second node lies outside its steering cone stops to
// turn toward it. The move's start time is the game time.
RTSuccess FinalizePath(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// With a path: Moving and MoveAnimation 1.
RTSuccess StartMoving(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// StopMovingC.
RTSuccess StopMoving(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
RTSuccess Moving(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
RTSuccess GetNumPathNodes(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// (N): path node N (x, y, z and the fourth float); a zero vector for an N outside the path.
RTSuccess GetPathNodeN(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// (prop node handle, P, G): 1 when P lies nearer to G than the prop node's translation does, else
// 0. A handle the game does not know is reported and refused.
RTSuccess CloserToGoalThanProp(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result,
                               VM vm);
// No effect, result untouched (GetNextPathNode, GetIntersectingNode, SetSteeringVector,
// SetVehicleMode); 1 for a wrapper.
RTSuccess NoEffect(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);

}  // namespace tesk::actor
