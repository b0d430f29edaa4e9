#include "script_events.h"

#include "varno/scripting_calls.h"

namespace tesk::actor {

namespace {

namespace scripting = varno::scripting;

bool CanRaise(const ActorControllerData& actor, void* object) { return actor.script && actor.vm && object; }

scripting::VM VmOf(const ActorControllerData& actor) { return static_cast<scripting::VM>(actor.vm); }

void Trigger(const ActorControllerData& actor, void* object, const char16_t* event) {
  scripting::TriggerEvent(actor.script, VmOf(actor), static_cast<scripting::Symbol>(object), event);
  scripting::ArgPopStack(actor.script, VmOf(actor));
}

}  // namespace

void RaiseEvent(const ActorControllerData& actor, void* object, const char16_t* event) {
  if (CanRaise(actor, object)) Trigger(actor, object, event);
}

void RaiseEventWithText(const ActorControllerData& actor, void* object, const char16_t* event, const char16_t* text) {
  if (CanRaise(actor, object) && scripting::ArgPushString(actor.script, VmOf(actor), text))
    Trigger(actor, object, event);
}

void RaiseEventWithVector(const ActorControllerData& actor, void* object, const char16_t* event,
                          const RTFVector3D& vector) {
  if (CanRaise(actor, object) && scripting::ArgPushVector3(actor.script, VmOf(actor), &vector))
    Trigger(actor, object, event);
}

}  // namespace tesk::actor
