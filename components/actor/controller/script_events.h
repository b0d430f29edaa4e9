// Script events that the controller raises on an actor's script object, with the controller's
// scripting component and VM, through the scripting component's one raise (arguments pushed,
// event queued, argument stack popped). Without a VM or an object nothing is raised.
#pragma once

#include <initializer_list>

#include "actor_state.h"
#include "varno/scripting_calls.h"

namespace tesk::actor {

void RaiseEvent(const ActorControllerData& actor, void* object, const char16_t* event,
                std::initializer_list<varno::scripting::EventArgument> arguments = {});

}  // namespace tesk::actor
