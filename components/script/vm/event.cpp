#include "vm/event.h"

#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/wide_string.h"
#include "kivo/support/list.h"
#include "vm/call_frame.h"
#include "vm/stack_element.h"
#include "vm/context.h"
#include "vm/symbol.h"
#include "vm/symbol_lookup.h"
#include "vm/vm.h"

namespace varno {

namespace {

void FreeArguments(RTVarnoStackElement* arguments) {
  if (arguments) kivo::ModuleCore()->ArrayFree(nullptr, arguments);
}

}  // namespace

RTSuccess EventFactory(RTVarnoEvent** out, const char16_t* name, const CallFrame* frame, uint32_t expected) {
  if (!out || !name || !frame) return kRTFailure;
  *out = nullptr;
  if (frame->argumentTop != expected) {
    Raise(u"[VARNO VM] Event Factory -- Stack mismatch with # of parameters to event. In file: %s, event: %s",
          frame->fileName ? frame->fileName : u"", name);
    Raise(u"[VARNO VM] Event Factory -- Expecting: %d parameters. Got: %d", expected, frame->argumentTop);
    return kRTFailure;
  }
  RTVarnoEvent* event = NewRecord<RTVarnoEvent>();
  if (!event) return kRTFailure;
  void* block = nullptr;
  if (!kivo::ModuleCore()->ArrayAlloc(nullptr, sizeof(RTVarnoStackElement), expected + 1, &block, 1)) {
    FreeRecord(event);
    return kRTFailure;
  }
  event->arguments = static_cast<RTVarnoStackElement*>(block);
  event->name = CopyText(name);
  bool copied = event->name != nullptr;
  for (uint32_t i = 0; copied && i <= expected; ++i) copied = StackElementCopy(&event->arguments[i], frame->arguments[i]);
  event->count = expected;
  if (!copied) {
    EventDiscard(event);  // elements not reached are still empty
    return kRTFailure;
  }
  *out = event;
  return kRTSuccess;
}

RTSuccess QueueEvent(RTVarnoSymbol* object, RTVarnoEvent* event) {
  if (!object || !event || !object->events) {
    EventDiscard(event);
    return kRTFailure;
  }
  if (object->events->count >= kMaxQueuedEvents) {
    Raise(u"****Dropping event: %s. Number of events in the queue: %d", event->name, object->events->count);
    EventDiscard(event);
    return kRTSuccess;
  }
  if (!kivo::ListAppend(object->events, event)) {
    EventDiscard(event);
    return kRTFailure;
  }
  return kRTSuccess;
}

void EventFree(RTVarnoEvent* event) {
  if (!event) return;
  FreeText(event->name);
  FreeArguments(event->arguments);
  FreeRecord(event);
}

void EventDiscard(RTVarnoEvent* event) {
  if (!event) return;
  for (uint32_t i = 0; event->arguments && i <= event->count; ++i) StackElementRelease(&event->arguments[i]);
  EventFree(event);
}

void ClearEvents(kivo::List* queue) {
  if (!queue) return;
  for (RTVarnoEvent* event : kivo::ListItems<RTVarnoEvent>(queue)) EventDiscard(event);
  kivo::ListClear(queue);
}

RTSuccess QueueEventFromFrame(RTVarnoSymbol* object, RTVarnoMethod* method, CallFrame* frame) {
  if (!object || !method || !frame) return kRTFailure;
  if (method->kind != kMethodEvent) {
    Raise(u"[VARNO VM] Method specified must be an event!");
    return kRTFailure;
  }
  const uint32_t expected = method->parameters ? method->parameters->count : 0;
  RTVarnoEvent* event = nullptr;
  if (!EventFactory(&event, method->keyName, frame, expected)) return kRTFailure;
  if (!QueueEvent(object, event)) return kRTFailure;
  return ArgPopN(frame, frame->argumentTop);
}

RTSuccess TriggerEvent(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* name) {
  if (!vm || !object || !object->type || !name) return kRTFailure;
  char16_t upper[kLookupNameUnits];
  uint32_t i = 0;
  for (; name[i]; ++i) {
    if (i + 1 >= kLookupNameUnits) return kRTFailure;
    upper[i] = kivo::WideStrUpperChar(name[i]);
  }
  upper[i] = 0;
  RTVarnoMethod* method = nullptr;
  if (!TypeRetrieveMethodByName(object->type, upper, &method, kRetrieveWithAncestors) || !method) {
    Raise(u"[VARNO VM] Cannot find event specified in object.");
    return kRTFailure;
  }
  if (method->kind != kMethodEvent) {
    Raise(u"[VARNO VM] Method specified must be an event!");
    return kRTFailure;
  }
  CallFrame* frame = TopFrame(vm->current);
  if (!frame) {
    Raise(u"[VARNO VM] Cannot raise event (%s): the VM has no running method to take its arguments from!", upper);
    return kRTFailure;
  }
  return QueueEventFromFrame(object, method, frame);
}

}  // namespace varno
