#include "wrapper_lookup.h"

#include "actor_state.h"

namespace tesk::actor {

RTTeskActorWrapper* WrapperOf(RTInstance self, void* object) {
  void* record = nullptr;
  if (!StateOf(self) || !kivo::varno_controller::FindNativeRecord(self, object, &record)) return nullptr;
  return static_cast<RTTeskActorWrapper*>(record);
}

}  // namespace tesk::actor
