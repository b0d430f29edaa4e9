// Taking a wrapper down, whole or as far as its construction got.
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// Takes the root node out of the quad tree of the game's scene tree; without a tree it says so.
void LeaveQuadTree(ActorControllerData& actor, RTTeskActorWrapper* wrapper);
// Gives back everything the wrapper holds, each once (it may be only partly built): the hand nodes
// leave their bones, every instance it holds is released, its lists, speech texts, path and skin
// name are freed, and then the wrapper.
void FreeWrapper(RTInstance self, RTTeskActorWrapper* wrapper);
// A wrapper the game knew: out of the quad tree and out of its vehicle, the game's effects let go
// of it, then FreeWrapper. 1; 0 for none.
RTSuccess DestroyActorWrapper(RTInstance self, RTTeskActorWrapper* wrapper);

}  // namespace tesk::actor
