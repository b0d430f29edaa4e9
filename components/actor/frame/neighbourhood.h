// An actor's neighbourhood, rebuilt at every sub-step from the scene tree's quad tree (the actors of
// the actor's leaf and its eight neighbour leaves, no distance test): the nearby wrappers, and the
// same split into those ranking above the actor, which it steers around, and those ranking below.
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// Fills NeighbourList with the nearby wrappers ranking above the actor and FreeNeighbourList with
// the others, in the quad tree's order, refilling them with their own links (while the actors move
// in a frame, only in its first sub-step: the lists stay the same for the rest of it);
// NeighbourQueryList is the controller's list of the nearby wrappers in that order, shared by the
// actors of the same leaf, so it also holds the actor itself. 0 without a scene tree; without an
// answer (the actor's node not filed in the tree) the two lists keep what they held and
// NeighbourQueryList is null.
RTSuccess UpdateNeighborhood(RTInstance self, ActorControllerData& actor, RTTeskActorWrapper& w);

}  // namespace tesk::actor
