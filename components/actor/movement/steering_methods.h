// The actor's speed and steering limits, the steering behaviours as the script asks for them, its
// look-at requests and the aura. Script methods (instance, calling object, argument count, cells,
// result cell, VM); each but AuraAnimate returns 0 without effect when the object has no wrapper.
// The steering queries change nothing: their vector goes into the result block, zeroed first.
#pragma once

#include "kivo/actor/actor_calls.h"
#include "script_cells.h"

namespace tesk::actor {

// (metres per second): the maximum speed, the one before it kept as the previous.
RTSuccess SetMovementSpeed(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
RTSuccess GetMovementSpeed(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// The maximum steering, kept per 0.03-second step: set as the value x 0.03, read back x 1 / 0.03.
RTSuccess SetMaxSteeringMagnitude(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result,
                                  VM vm);
RTSuccess GetMaxSteeringMagnitude(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result,
                                  VM vm);
// The steering cone's angle in degrees.
RTSuccess SetSteeringConstraint(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result,
                                VM vm);
RTSuccess GetSteeringConstraint(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result,
                                VM vm);
// (t): the position t seconds ahead at the present velocity.
RTSuccess GetFuturePosition(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// (target): arrive within the slowing distance; seek at weight 1.
RTSuccess SteerToArrive(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
RTSuccess SteerToSeek(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// The zero vector (SteerToFlee, SteerToPursue).
RTSuccess SteerToNothing(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// (look-ahead time): back onto the path.
RTSuccess SteerToFollowPath(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// (point): turn toward the point once standing; toward the closest actor; neither.
RTSuccess LookAtPoint(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
RTSuccess LookAtClosest(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
RTSuccess LookAtNothing(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);
// (start, end, duration, value): StartAura; no wrapper needed.
RTSuccess AuraAnimate(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);

// The controller's aura runs from `start` to `end` over `duration` seconds of game clock from now,
// fading out. 1; 0 without a game.
RTSuccess StartAura(RTInstance self, const RTFVector3D& start, const RTFVector3D& end, float duration,
                    uint32_t value);

}  // namespace tesk::actor
