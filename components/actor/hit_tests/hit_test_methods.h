// The geometric queries a script asks of the actor component: where two ground segments cross,
// how far a ray runs through the room at its origin, and when two moving spheres first touch
// within a step. Script methods (instance, calling object, argument count, cells, result cell, VM);
// vector arguments and results are RTFVector3D blocks, a float result goes into the result cell.
#pragma once

#include "kivo/actor/actor_calls.h"
#include "script_cells.h"

namespace tesk::actor {

// (A, B, C, D): segments A-B and C-D in x-z cross at (x, 0, z) of their first common point, or
// (99, 99, 99) when they do not meet.
RTSuccess FindIntersection(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// (direction, origin): 1 with the distance to the first hit in the room at the origin (and its
// neighbours); 0 with -1 on a miss. A missing wrapper, scene tree or room is reported and leaves the
// result unwritten.
RTSuccess CheckRayHitTest(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// (A, B, r1, C, D, r2): the step parameter (0 to 1) at which a sphere of radius r1 moving from A by
// B touches one of radius r2 moving from C to D: of two contacts within the step the later one, of
// one the one, else -1.
RTSuccess CheckCapsuleIntersection(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result,
                                   VM vm);
// No effect; 1.
RTSuccess SetWedgeData(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);

}  // namespace tesk::actor
