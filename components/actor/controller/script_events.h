// Script events that the controller raises on an actor's script object, with the controller's
// scripting component and VM; each raise is followed by one ArgPopStack, so that a refused event
// leaves nothing pushed. Without a VM or an object nothing is raised.
#pragma once

#include "actor_state.h"

namespace tesk::actor {

void RaiseEvent(const ActorControllerData& actor, void* object, const char16_t* event);
void RaiseEventWithText(const ActorControllerData& actor, void* object, const char16_t* event, const char16_t* text);
void RaiseEventWithVector(const ActorControllerData& actor, void* object, const char16_t* event,
                          const RTFVector3D& vector);

}  // namespace tesk::actor
