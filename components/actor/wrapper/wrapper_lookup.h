// The wrapper of a script object, through the native-record table of the controller's parent class.
#pragma once

#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// Null when the object has none, or the controller no record of its own.
RTTeskActorWrapper* WrapperOf(RTInstance self, void* object);

}  // namespace tesk::actor
