// The looping motion an actor's body plays, chosen once a frame from its movement: walking, pushing
// a wheelchair or gurney (backwards too), carrying, or standing. A standing player alternates every
// 5 seconds between the neutral idle (44) and the next variation of the chain 42, 39, 40, 41, 39,
// ...; every other standing actor on foot holds the neutral idle. Motion indices are those of the
// built-in motion table.
#pragma once

#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

inline constexpr uint32_t kNeutralIdle = 44;
inline constexpr uint32_t kCarryIdle = 80;

// The idle variation after `motion` in the chain; 44 for any motion outside it.
uint32_t NextIdleVariation(uint32_t motion);

// 0 without a motion player; else 1. `now` is the game clock in seconds.
RTSuccess UpdateBodyAnimation(RTTeskActorWrapper& w, float now);

}  // namespace tesk::actor
