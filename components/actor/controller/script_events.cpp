#include "script_events.h"

namespace tesk::actor {

void RaiseEvent(const ActorControllerData& actor, void* object, const char16_t* event,
                std::initializer_list<varno::scripting::EventArgument> arguments) {
  namespace scripting = varno::scripting;
  scripting::RaiseEvent(actor.script, static_cast<scripting::VM>(actor.vm), static_cast<scripting::Symbol>(object),
                        event, arguments);
}

}  // namespace tesk::actor
