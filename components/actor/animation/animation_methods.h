// Animation control: a character's motion player plays one motion of its set, which begins with
// the built-in motions in table order; the script adds, replaces, plays, stops and tunes them.
#pragma once

#include "kivo/actor/actor_calls.h"
#include "script_cells.h"

namespace tesk::actor {

// Plays the motion of the index (looping or once) as one the script started (MoveAnimation). An
// index outside the set is refused by the player and changes nothing.
RTSuccess PlayMotionC(RTInstance self, RTTeskActorWrapper* wrapper, uint32_t index, RTBool loop);

// Script methods: (instance, calling script object, argument count, argument cells, result cell,
// VM). Each answers 0 without effect when the calling object has no wrapper (AddMotion only once
// its motion is found) or an argument it reads is missing or of another type.
#define TESK_ACTOR_SCRIPT_METHOD(name) \
  RTSuccess name(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm)
TESK_ACTOR_SCRIPT_METHOD(AddMotion);
TESK_ACTOR_SCRIPT_METHOD(PlayAnimation);
TESK_ACTOR_SCRIPT_METHOD(AddCustomAnimation);
TESK_ACTOR_SCRIPT_METHOD(ReplaceAnimation);
TESK_ACTOR_SCRIPT_METHOD(PlayOneShotAnimation);
TESK_ACTOR_SCRIPT_METHOD(StopAnimation);
TESK_ACTOR_SCRIPT_METHOD(IsAnimationPlaying);
TESK_ACTOR_SCRIPT_METHOD(SetAnimationTweenTime);
TESK_ACTOR_SCRIPT_METHOD(GetAnimationTweenTime);
TESK_ACTOR_SCRIPT_METHOD(SetAnimationPosition);
TESK_ACTOR_SCRIPT_METHOD(GetAnimationPosition);
TESK_ACTOR_SCRIPT_METHOD(SetAnimationRate);
TESK_ACTOR_SCRIPT_METHOD(GetAnimationRate);
TESK_ACTOR_SCRIPT_METHOD(SetIconColor);
TESK_ACTOR_SCRIPT_METHOD(SetIconRadius);
#undef TESK_ACTOR_SCRIPT_METHOD

}  // namespace tesk::actor
