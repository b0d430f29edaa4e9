// Building a wrapper (RTTeskActor::ActorWrapperFactory): its scene nodes, skin, head render, motion
// player with the built-in motions, hand nodes and defaults, registered in the scene tree's quad
// tree. A construction that fails raises "TeskActor.Initialize (<skin>) -- FAILED" and gives back
// everything it made.
#pragma once

#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// The library's flag: 1 when it is loaded and after ResetStates; the next wrapper built gets the
// hand effect and clears it.
void SetHandEffectPending();

// A wrapper for the script object with the named skin. An assembled body is not built yet: a body
// given is refused.
RTSuccess ActorWrapperFactory(RTInstance self, RTTeskActorWrapper** wrapper, const char16_t* skinName, RTInstance body,
                              void* object);

}  // namespace tesk::actor
