// Path planning: the path from an actor's position to a goal, stored in its wrapper. A free straight
// line (in the actor's room, or into a room reachable from it) gives a direct path of two nodes;
// otherwise the route planner of the actor's pathfinding kind searches its graph, first within the
// two rooms' node groups and then in every group, and its pathway's points become the path.
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"
#include "script_cells.h"

namespace tesk::actor {

// The pathfinding kind of a plan: the caller's when not -1, else by the vehicle mode (3 and 5 by
// the vehicle's zone 0, 1, 2 as 2, 6, 7; 7 as 3; 1 as 5), else the room's default. A zone outside
// 0..2 takes the room's default.
int32_t PathfindingKind(int32_t callerKind, uint32_t vehicleMode, int32_t vehicleZone, int32_t roomKind);

// Plans the wrapper's path to *goal, whose y becomes 0, on the graph of `kind` (-1: the actor's
// own). 1 when a path is stored: its nodes start at the position and end at the goal, the current
// node is 0, the total length is set, BrakeAtGoal 1 and MoveAnimation 0. A plan that fails before
// the old path is dropped (no container room, no scene tree, no room at the goal) keeps it; one
// that fails later (no planner of the kind, no route) leaves no path.
RTSuccess PlanPath(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, RTFVector3D* goal,
                   int32_t kind);
// Script method: plans again to the wrapper's goal with the actor's own kind; the result cell 1 when
// a path was made, else 0.
RTSuccess ReplanPath(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);

// The first actor, in the scene tree's order of the nodes filed around the point, that stands
// strictly within radius + its own radius of it: appended to `found`, and 1; else 0.
RTSuccess FindActorNearPoint(RTInstance self, const ActorControllerData& actor, const RTFVector3D& point, float radius,
                             kivo::List* found);

}  // namespace tesk::actor
