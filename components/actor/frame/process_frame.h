// The frame entry of the actor component: every actor of the game's actor list moves by the game
// clock's time since the last frame, in fixed sub-steps that the actors take in turn (each actor
// one sub-step, then each the next); then its root node takes the new position and heading and its
// body the looping motion that fits.
#pragma once

#include "kivo/actor/actor_calls.h"
#include "script_cells.h"

namespace tesk::actor {

// 0 without a game; otherwise 1. A frame at the clock of the last one changes nothing, not even the
// counters. One more than 5 seconds after the last (a long load or a hitch), or before it (the clock
// was reset or a game loaded), moves and animates no actor; its time is lost, and the counters
// advance all the same.
RTSuccess ProcessC(RTInstance self);
// Script method: does nothing; 1.
RTSuccess Process(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);

}  // namespace tesk::actor
