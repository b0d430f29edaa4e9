// An actor's neighbourhood, rebuilt at every sub-step from the scene tree's quad tree (the actors of
// the actor's leaf and its eight neighbour leaves, no distance test): the nearby wrappers, and the
// same split into those ranking above the actor, which it steers around, and those ranking below.
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// Fills NeighbourList with the nearby wrappers ranking above the actor and FreeNeighbourList with
// the others, in the quad tree's order, refilling them with their own links; NeighbourQueryList is
// the controller's list of all the nearby wrappers in that order (shared by the actors, so it holds
// the answer of the last actor updated). 0 without a scene tree; without an answer (the actor's
// node not filed in the tree) the two lists keep what they held and NeighbourQueryList is null.
RTSuccess UpdateNeighborhood(RTInstance self, ActorControllerData& actor, RTTeskActorWrapper& w);

}  // namespace tesk::actor
