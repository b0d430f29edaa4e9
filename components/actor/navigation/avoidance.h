// Looking ahead for what is in an actor's way. The walking step's two probes: ProbeObstacles
// (the actor's sphere swept ahead and two feeler rays against the scene) and SteerToAvoidActorsC2
// (the nearest approach to the actors around, from the neighbourhood's two lists). The behaviours
// of the script methods SteerToAvoidObstacles and SteerToAvoidActors. Each gives 1 when it has
// found something to avoid and written a direction, else 0.
//
// The neighbourhood's first list (FreeNeighbourList) is avoided weakly; the second (NeighbourList,
// which holds the actors ranking above this one and every driver) with the controller's full
// ActorAvoidanceGain.
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"
#include "script_cells.h"

namespace tesk::actor {

// Sweeps the actor's sphere along its movement over t seconds. A wall ahead within 2.0 sweeps
// steers it along the wall, unless the two feelers at ±0.3 to its side find a gap narrower than 0.3:
// then it is wedged (Moving 0, GoalInCorner 1) and the direction is left as it was. An obstacle node
// steers it away from the contact. 0 without a scene tree or a room at the position.
RTSuccess ProbeObstacles(const ActorControllerData& actor, RTTeskActorWrapper& w, float t, RTFVector3D* direction);
// The actor nearest to meet within `range` (at most the path left) ahead, never the actor's own
// target: a direction to the side, and braking for one going the same way or crossing. It scales
// with speed / maximum speed (0 for a maximum of 0). 0 in a room whose flags hold 0x80.
RTSuccess SteerToAvoidActorsC2(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float range,
                               RTFVector3D* direction);

// When the two actors, going on as they do (their velocity difference scaled by k), come nearest:
// 0, with *time 0, when they move alike.
RTSuccess PredictNearestApproachTime(const RTTeskActorWrapper& a, const RTTeskActorWrapper& b, float k, float* time);
// Where each stands after `time` along its heading at its speed, and how far apart.
RTSuccess PredictNearestApproachPositions(const RTTeskActorWrapper* a, const RTTeskActorWrapper* b, float time,
                                          RTFVector3D* atA, RTFVector3D* atB, float* distance);

// A ray along the heading at 0.3 over the floor: a hit within 2.0 gives 0.75 of the forward
// steering.
RTSuccess SteerForAvoidObstacles(const ActorControllerData& actor, const RTTeskActorWrapper& w, float t,
                                 RTFVector3D* steering);
// The actor to give way to within t seconds: a steering to pass it, the steering left as it was
// when nobody is in the way (1), or 0 for one going the same way at least as fast.
RTSuccess SteerForAvoidActors(const RTTeskActorWrapper& w, float t, RTFVector3D* steering);

// Script methods (t): the behaviours' steering as the result vector, zero when nothing is avoided.
RTSuccess SteerToAvoidObstacles(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
RTSuccess SteerToAvoidActors(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);

}  // namespace tesk::actor
