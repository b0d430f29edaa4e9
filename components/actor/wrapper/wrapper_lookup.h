// The wrapper of a script object, through the native-record table of the controller's parent class.
#pragma once

#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// Null when the object has none, or the controller no record of its own.
RTTeskActorWrapper* WrapperOf(RTInstance self, void* object);

// Runs body(wrapper) on the object's wrapper: 1, or 0 without touching anything when it has none.
template <class Body>
RTSuccess OnWrapper(RTInstance self, void* object, Body&& body) {
  RTTeskActorWrapper* wrapper = WrapperOf(self, object);
  if (!wrapper) return kRTFailure;
  body(*wrapper);
  return kRTSuccess;
}

}  // namespace tesk::actor
