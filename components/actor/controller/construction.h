// The component's instance hooks.
#pragma once

#include "actor_state.h"

namespace tesk::actor {

RTSuccess CreateActorInstance(RTInstance self);
// 0 for a controller whose construction failed.
RTSuccess DestroyActorInstance(RTInstance self);

}  // namespace tesk::actor
