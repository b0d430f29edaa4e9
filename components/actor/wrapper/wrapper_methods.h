// The wrapper's life as the script and the game see it: Create and Destroy of a script actor, the
// player's body, leaving a vehicle, and the hand effect's reset.
#pragma once

#include "kivo/actor/actor_calls.h"
#include "script_cells.h"

namespace tesk::actor {

// Script method: argument 0 the skin name. A new wrapper for the calling object, attached to it and
// registered with the game; an object that has one only leaves its vehicle. 1 on success.
RTSuccess Create(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// (instance, script object): the game lets go of the object's wrapper, no other wrapper keeps it
// as its target or neighbour, and it is destroyed and detached. 0 when the object has none.
RTSuccess Destroy(RTInstance self, void* object);
// Makes the actor leave its vehicle; always 1 for a wrapper.
RTSuccess Reset(RTInstance self, RTTeskActorWrapper* wrapper);
// (instance, script object): InitPlayerC on the object's wrapper; 0 when it has none.
RTSuccess InitPlayer(RTInstance self, void* object);
// Gives the wrapper the player's body from the game, its hand nodes bound to the body's hands. A
// body without both hand bones is refused and the wrapper keeps its own.
RTSuccess InitPlayerC(RTInstance self, RTTeskActorWrapper* wrapper);
// The next wrapper built gets the hand effect again.
RTSuccess ResetStates(RTInstance self);

// A script's calls of Destroy, InitPlayer and ResetStates: the calling object is the one the first
// two take; the arguments are not used.
RTSuccess DestroyFromScript(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
RTSuccess InitPlayerFromScript(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result,
                               VM vm);
RTSuccess ResetStatesFromScript(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result,
                                VM vm);

}  // namespace tesk::actor
