// Script events: a queued call of an event method with copies of its arguments.
#pragma once

#include <cstdint>

#include "kivo/support/list.h"
#include "kivo/types.h"

namespace varno {

struct CallFrame;
struct RTVarnoMethod;
struct RTVarnoStackElement;
struct RTVarnoSymbol;
struct RTVarnoVM;

inline constexpr uint32_t kMaxQueuedEvents = 128;

struct RTVarnoEvent {
  char16_t* name;                   // owned, upper-case as raised
  uint32_t count;                   // parameters
  RTVarnoStackElement* arguments;   // count + 1 elements; 0 is the base element
};

// Builds an event from the frame's argument stack, which must hold exactly `expected` arguments
// (else two reports and failure). The elements are copied with their own strings and references.
RTSuccess EventFactory(RTVarnoEvent** out, const char16_t* name, const CallFrame* frame, uint32_t expected);
// Appends the event to the object's queue; a full queue drops it with a report (still success).
RTSuccess QueueEvent(RTVarnoSymbol* object, RTVarnoEvent* event);
// Frees name, arguments array and record; the arguments' values must have been moved out.
void EventFree(RTVarnoEvent* event);
// Releases the arguments' values, then frees the event.
void EventDiscard(RTVarnoEvent* event);
// Discards every event of the queue and empties it.
void ClearEvents(kivo::List* queue);

// The queueing step of raising an event: the method must be an event of the object's class; the
// frame's arguments are copied into a queued event and popped.
RTSuccess QueueEventFromFrame(RTVarnoSymbol* object, RTVarnoMethod* method, CallFrame* frame);

// Raises an event on the object for its context to run later: the event method of the name (own
// methods first, then the ancestors') gets a queued event with copies of the arguments pushed on the
// top frame of the VM's current context, which are then popped. 1 when the event was built and
// handed to the queue (a full queue drops it with its report); 0 on failure, the arguments left
// where they are.
RTSuccess TriggerEvent(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* name);

}  // namespace varno
