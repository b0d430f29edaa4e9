// An actor's neighbourhood, rebuilt at every sub-step from the scene tree's quad tree (the nodes of
// the actor's leaf and its eight neighbour leaves, no distance test): the wrappers of the nearby
// nodes split into those ranking above the actor, which it steers around, and those ranking below.
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// Fills NeighbourList with the nearby wrappers ranking above the actor and FreeNeighbourList with
// the others, in the query's order, refilling them with their own links; NeighbourQueryList is the
// scene tree's answer. 0 without a scene tree; without an answer the lists keep what they held.
RTSuccess UpdateNeighborhood(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w);

}  // namespace tesk::actor
