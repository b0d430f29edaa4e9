#include "vm/arguments.h"

#include "compiler/core_records.h"
#include "compiler/report.h"
#include "vm/call_frame.h"
#include "vm/context.h"
#include "vm/counted_string.h"
#include "vm/database_value.h"
#include "vm/list_value.h"
#include "vm/stack_element.h"
#include "vm/vm.h"

namespace varno {

namespace {

CallFrame* ArgumentFrame(RTVarnoVM* vm) {
  CallFrame* frame = vm ? TopFrame(vm->current) : nullptr;
  if (vm && !frame) Raise(u"[VARNO VM] Argument push: the VM has no running method to hold arguments!");
  return frame;
}

// Moves the element onto the top frame's stack; it is released when it cannot go there.
RTSuccess Push(RTVarnoVM* vm, RTVarnoStackElement element) {
  CallFrame* frame = ArgumentFrame(vm);
  if (frame && ArgPushElement(frame, &element)) return kRTSuccess;
  StackElementRelease(&element);
  return kRTFailure;
}

}  // namespace

RTSuccess ArgPushObject(RTVarnoVM* vm, RTVarnoSymbol* object) {
  if (!object) return kRTFailure;
  RTVarnoStackElement element{};
  element.tag = kTagObject;
  element.value.object = object;
  return Push(vm, element);
}

RTSuccess ArgPushNumber(RTVarnoVM* vm, int32_t number) {
  RTVarnoStackElement element{};
  element.tag = kTagNumber;
  element.value.number = number;
  return Push(vm, element);
}

RTSuccess ArgPushReal(RTVarnoVM* vm, float real) {
  RTVarnoStackElement element{};
  element.tag = kTagReal;
  element.value.real = real;
  return Push(vm, element);
}

RTSuccess ArgPushVector3(RTVarnoVM* vm, const RTFVector3D* vector) {
  if (!vector) return kRTFailure;
  RTVarnoStackElement element{};
  element.tag = kTagVector3;
  element.value.vector = *vector;
  return Push(vm, element);
}

RTSuccess ArgPushString(RTVarnoVM* vm, const char16_t* text) {
  RTVarnoStackElement element{};
  element.tag = kTagString;
  if (text && !(element.value.text = StringCopy(text))) return kRTFailure;
  return Push(vm, element);
}

RTSuccess ArgPushList(RTVarnoVM* vm, VNlist* list) {
  if (!list) return kRTFailure;
  ListReference(list);
  RTVarnoStackElement element{};
  element.tag = kTagList;
  element.value.list = list;
  return Push(vm, element);
}

RTSuccess ArgPushBool(RTVarnoVM* vm, RTBool value) {
  RTVarnoStackElement element{};
  element.tag = kTagBool;
  element.value.word = value;
  return Push(vm, element);
}

RTSuccess ArgPushDatabase(RTVarnoVM* vm, DatabaseValue* database) {
  if (!database) return kRTFailure;
  DatabaseReference(database);
  RTVarnoStackElement element{};
  element.tag = kTagDatabase;
  element.value.database = database;
  return Push(vm, element);
}

RTSuccess ArgPopStack(RTVarnoVM* vm) {
  CallFrame* frame = vm ? TopFrame(vm->current) : nullptr;
  return frame ? ArgPopN(frame, frame->argumentTop) : kRTFailure;
}

}  // namespace varno
