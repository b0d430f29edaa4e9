#include "vm/call_frame.h"

#include <cstddef>
#include <cstring>

#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/numeric.h"
#include "kivo/support/wide_string.h"
#include "vm/attribute_table.h"
#include "vm/call_path.h"
#include "vm/counted_string.h"
#include "vm/decoded_code.h"
#include "vm/database_value.h"
#include "vm/list_value.h"
#include "vm/symbol.h"
#include "vm/tagged_value.h"
#include "vm/table_variables.h"
#include "vm/vm_plans.h"
#include "vm/vm.h"

namespace varno {

namespace {

const char16_t* MethodName(const RTVarnoMethod* method) {
  if (!method) return u"";
  return method->displayName ? method->displayName : method->keyName;
}

void ReplaceText(RTVarnoSymbol* variable, char16_t* text) {
  StringRelease(variable->value.value.text);
  variable->value.value.text = text;
}

bool CoerceFailure(bool numberArgument) {
  Raise(numberArgument ? u"[VARNO VM] Method Setup: Cannot coerce expression into argument type..."
                       : u"[VARNO VM] (call): Cannot coerce expression into argument type...");
  return false;
}

}  // namespace

bool BindArgument(AttributeEntry* entry, uint32_t parameterType, const RTVarnoStackElement& argument) {
  RTVarnoSymbol* variable = entry->symbol;
  const bool builtIn = parameterType < kFirstClassType;
  if (builtIn && (!variable || variable->typeIndex != parameterType)) return CoerceFailure(argument.tag == kTagNumber);
  switch (argument.tag) {
    case kTagNumber:
      if (parameterType == kTypeNumber) {
        variable->value.value.number = argument.value.number;
      } else if (parameterType == kTypeReal) {
        variable->value.value.real = static_cast<float>(argument.value.number);
      } else if (parameterType == kTypeString) {
        char16_t digits[kivo::kWideIntTextUnits];
        char16_t* text = StringCopy(kivo::WideStrFromInt(argument.value.number, digits, 10));
        if (!text) return false;
        ReplaceText(variable, text);
      } else {
        return CoerceFailure(true);
      }
      return true;
    case kTagReal:
      if (parameterType == kTypeNumber) {
        variable->value.value.number = kivo::FloatToInt<int32_t>(argument.value.real);
      } else if (parameterType == kTypeReal) {
        variable->value.value.real = argument.value.real;
      } else {
        return CoerceFailure(false);
      }
      return true;
    case kTagString:
      if (parameterType == kTypeString) {
        char16_t* text = nullptr;
        if (argument.value.text && !(text = StringShare(argument.value.text))) return false;
        ReplaceText(variable, text);
      } else if (parameterType == kTypeNumber) {
        variable->value.value.number = kivo::WideStrToInt(argument.value.text);
      } else {
        return CoerceFailure(false);
      }
      return true;
    case kTagVector3:
      if (parameterType != kTypeVector3 || !variable->value.value.vector) return CoerceFailure(false);
      *variable->value.value.vector = argument.value.vector;
      return true;
    case kTagList: {
      if (parameterType != kTypeList) return CoerceFailure(false);
      VNlist* list = nullptr;
      if (!ListAssign(ValueList(variable->value), argument.value.list, &list)) return false;
      variable->value.value.pointer = list;
      return true;
    }
    case kTagBool:
      if (parameterType != kTypeBool) return CoerceFailure(false);
      variable->value.value.word = argument.value.word ? 1 : 0;
      return true;
    case kTagDatabase:
      if (parameterType != kTypeDatabase || !argument.value.database) return CoerceFailure(false);
      DatabaseReference(argument.value.database);
      if (ValueDatabase(variable->value)) DatabaseRelease(ValueDatabase(variable->value));
      variable->value.value.pointer = argument.value.database;
      return true;
    case kTagObject:
      if (builtIn || !argument.value.object) return CoerceFailure(false);
      entry->symbol = argument.value.object;
      entry->bound = 1;
      argument.value.object->stored = 1;
      return true;
    default:
      Raise(u"[VARNO VM] (call): Unsupported argument type passed into method...");
      return false;
  }
}

CallFrame* AllocateCallFrame(uint32_t room) {
  const size_t bytes = sizeof(CallFrame) + AttributeTableStorage(room);
  void* block = nullptr;
  if (bytes > UINT32_MAX || !kivo::ModuleCore()->MemAlloc(nullptr, static_cast<uint32_t>(bytes), &block, 0) || !block) {
    return nullptr;
  }
  // Only what the frame's users read is set: the header and the argument stack's base element.
  auto* frame = static_cast<CallFrame*>(block);
  std::memset(static_cast<void*>(frame), 0, offsetof(CallFrame, arguments) + sizeof(RTVarnoStackElement));
  frame->room = room;
  return frame;
}

void DropNamedLocals(CallFrame* frame) {
  AttributeForEach(frame->locals, [](AttributeEntry* entry) {
    // Objects belong to the collector: the caller's stack or a queued event may still hold them.
    if (entry->symbol && entry->symbol->typeIndex < kFirstClassType) RTVarnoSymbolDestructor(entry->symbol);
    entry->symbol = nullptr;
  });
  AttributeTableDestroy(frame->locals);
}

RTSuccess CreateEmptyCallFrame(CallFrame** out) {
  if (!out) return kRTFailure;
  *out = AllocateCallFrame(0);
  return *out ? kRTSuccess : kRTFailure;
}

RTSuccess CreateCallFrame(RTVarnoVM* vm, RTVarnoMethod* method, RTVarnoSymbol* object, CallFrame** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (!vm || !method) return kRTFailure;
  VmPlan* plan = PlanOfMethod(vm->types, method);
  CallFrame* frame = plan ? AllocateCallFrame(plan->layout->count) : nullptr;
  if (!frame) return kRTFailure;
  if (!PrepareFrame(frame, plan, method, object)) {
    DestroyCallFrame(frame);
    return kRTFailure;
  }
  *out = frame;
  return kRTSuccess;
}

RTSuccess DestroyCallFrame(CallFrame* frame) {
  if (!frame) return kRTFailure;
  EmptyFrame(frame);
  AttributeTableClear(&frame->localTable);
  FreeRecord(frame);
  return kRTSuccess;
}

bool ArgumentKind(uint8_t tag) {
  switch (tag) {
    case kTagNumber:
    case kTagReal:
    case kTagString:
    case kTagVector3:
    case kTagList:
    case kTagBool:
    case kTagDatabase:
    case kTagObject:
      return true;
    default:
      return false;
  }
}

RTSuccess ArgPushElement(CallFrame* frame, RTVarnoStackElement* element) {
  if (!frame || !element) return kRTFailure;
  if (frame->argumentTop + 1 >= kArgumentStackSize) {
    Raise(u"[VARNO VM] Argument Stack Overflow! [too many parameters?]");
    return kRTFailure;
  }
  frame->arguments[++frame->argumentTop] = *element;
  *element = RTVarnoStackElement{};
  return kRTSuccess;
}

RTSuccess ArgPopN(CallFrame* frame, uint32_t n) {
  if (!frame) return kRTFailure;
  if (n > frame->argumentTop) {
    Raise(u"[VARNO VM] Argument Stack Underflow!");
    return kRTFailure;
  }
  for (; n; --n) StackElementRelease(&frame->arguments[frame->argumentTop--]);
  return kRTSuccess;
}

RTSuccess SetupScriptCall(RTVarnoVM* vm, CallFrame* caller, CallFrame* callee, RTVarnoMethod* method) {
  if (!vm || !caller || !callee || !method) return kRTFailure;
  // A frame laid out by the method's plan finds each parameter at its slot.
  const auto* plan = static_cast<const VmPlan*>(method->vmPlan);
  bool bound = false;
  if (BindPlannedCall(plan, method, caller, callee, &bound)) return bound ? kRTSuccess : kRTFailure;
  if (method->kind == kMethodState && caller->argumentTop >= 1) {
    Raise(u"[VARNO VM] Method Setup: States cannot take parameters!");
    return kRTFailure;
  }
  if (!method->parameters) return kRTSuccess;
  if (method->parameters->count != caller->argumentTop) {
    Raise(u"[VARNO VM] Method Setup: Invalid # of parameters pushed onto argument stack for method/event (%s)...",
          MethodName(method));
    return kRTFailure;
  }
  uint32_t index = caller->argumentTop;
  for (const RTVarnoParameter* parameter : kivo::ListItems<RTVarnoParameter>(method->parameters)) {
    AttributeEntry* entry = AttributeFind(callee->locals, parameter->name);
    if (!entry) {
      Raise(u"[VARNO VM] Method Setup: Parameter (%s) of method (%s) has no variable!", parameter->name,
            MethodName(method));
      return kRTFailure;
    }
    if (!BindArgument(entry, parameter->type, caller->arguments[index--])) return kRTFailure;
  }
  return kRTSuccess;
}

}  // namespace varno
