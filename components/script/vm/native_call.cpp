#include "vm/native_call.h"

#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "kivo/component_def.h"
#include "kivo/support/numeric.h"
#include "kivo/support/wide_string.h"
#include "vm/call_frame.h"
#include "vm/context.h"
#include "vm/database_value.h"
#include "vm/list_value.h"
#include "vm/operand_stack.h"
#include "vm/profile.h"
#include "vm/tagged_value.h"
#include "vm/vm.h"

namespace varno {

namespace {

const char16_t* MethodName(const RTVarnoMethod* method) {
  return method->displayName ? method->displayName : (method->keyName ? method->keyName : u"");
}

bool CoerceFailure(bool numberArgument) {
  Raise(numberArgument ? u"[VARNO VM] Implemented Method Setup: Cannot coerce expression into argument type..."
                       : u"[VARNO VM] (call): Cannot coerce expression into argument type...");
  return false;
}

bool MakeCell(uint32_t type, const RTVarnoStackElement& argument, RTVarnoCallArg* cell) {
  *cell = RTVarnoCallArg{};
  cell->type = type;
  switch (argument.tag) {
    case kTagNumber:
      if (type == kTypeNumber) {
        cell->value.number = argument.value.number;
      } else if (type == kTypeReal) {
        cell->value.real = static_cast<float>(argument.value.number);
      } else {
        return CoerceFailure(true);
      }
      return true;
    case kTagReal:
      if (type == kTypeNumber) {
        cell->value.number = kivo::FloatToInt<int32_t>(argument.value.real);
      } else if (type == kTypeReal) {
        cell->value.real = argument.value.real;
      } else {
        return CoerceFailure(false);
      }
      return true;
    case kTagString:
      if (type == kTypeString) {
        if (argument.value.text && !(cell->value.text = CopyText(argument.value.text))) return false;
      } else if (type == kTypeNumber) {
        cell->value.number = kivo::WideStrToInt(argument.value.text);
      } else {
        return CoerceFailure(false);
      }
      return true;
    case kTagVector3:
      if (type != kTypeVector3) return CoerceFailure(false);
      if (!(cell->value.vector = NewRecord<RTFVector3D>())) return false;
      *cell->value.vector = argument.value.vector;
      return true;
    case kTagList:
      if (type != kTypeList || !argument.value.list) return CoerceFailure(false);
      ListReference(argument.value.list);
      cell->value.pointer = argument.value.list;
      return true;
    case kTagBool:
      if (type != kTypeBool) return CoerceFailure(false);
      cell->value.word = argument.value.word ? 1 : 0;
      return true;
    case kTagDatabase:
      if (type != kTypeDatabase || !argument.value.database) return CoerceFailure(false);
      DatabaseReference(argument.value.database);
      cell->value.pointer = argument.value.database;
      return true;
    case kTagObject:
      if (type < kFirstClassType) return CoerceFailure(false);
      cell->value.pointer = argument.value.object;
      return true;
    default:
      Raise(u"[VARNO VM] (call): Unsupported argument type passed into method...");
      return false;
  }
}

void ReleaseCells(RTVarnoCallArg* cells, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i) TaggedValueRelease(&cells[i]);
}

}  // namespace

RTSuccess BindImplementedMethod(RTVarnoMethod* method) {
  if (!method) return kRTFailure;
  if (method->boundMethod) return kRTSuccess;
  CoreTable* core = kivo::ModuleCore();
  const char16_t* className = method->bindClass ? method->bindClass : u"";
  const char16_t* methodName = method->bindMethod ? method->bindMethod : u"";
  if (!method->boundInstance) {
    RTInstance instance = nullptr;
    if (!core->GetFirstInstanceByString(nullptr, className, &instance, 1, nullptr) || !instance) {
      Raise(u"[VARNO VM] (call): Couldn't create an instance of an implemented component (%s)", className);
      return kRTFailure;
    }
    method->boundInstance = instance;
  }
  RTMethodRecord* record = nullptr;
  if (!core->FindMethod(nullptr, method->boundInstance, methodName, &record) || !record || !record->function) {
    Raise(u"[VARNO VM] (call): Cannot find implemented method (%s.%s)", className, methodName);
    return kRTFailure;
  }
  // Only a function of the script-method type takes a script's call (the record says which).
  if (!record->scriptEntry) {
    Raise(u"[VARNO VM] (call): Implemented method (%s.%s) is not a script method: a script cannot call it", className, methodName);
    return kRTFailure;
  }
  method->boundMethod = record;
  return kRTSuccess;
}

RTSuccess SetupImplementedCall(RTVarnoMethod* method, const CallFrame* caller, RTVarnoCallArg* cells,
                               uint32_t* count) {
  *count = 0;
  if (!method || !caller) return kRTFailure;
  uint32_t made = 0;
  uint32_t index = caller->argumentTop;
  for (const RTVarnoParameter* parameter : kivo::ListItems<RTVarnoParameter>(method->parameters)) {
    if (made >= kMaxNativeArguments) {
      Raise(u"[VARNO VM] Implemented Method Setup: Too many parameters for an implemented method (%s)!",
            MethodName(method));
      ReleaseCells(cells, made);
      return kRTFailure;
    }
    if (index == 0) {
      Raise(u"[VARNO VM] Implemented Method Setup: Invalid # of parameters pushed onto argument stack for "
            u"method/event...");
      ReleaseCells(cells, made);
      return kRTFailure;
    }
    if (!MakeCell(parameter->type, caller->arguments[index--], &cells[made])) {
      ReleaseCells(cells, made);
      return kRTFailure;
    }
    ++made;
  }
  *count = made;
  return kRTSuccess;
}

bool CallImplementedMethod(RTVarnoVM* vm, RTVarnoMethod* method, RTVarnoSymbol* target) {
  RTVarnoContext* context = vm->current;
  CallFrame* frame = TopFrame(context);
  context->nativeMethod = method;
  if (!BindImplementedMethod(method)) return false;
  RTVarnoCallArg cells[kMaxNativeArguments] = {};
  uint32_t count = 0;
  if (!SetupImplementedCall(method, frame, cells, &count)) return false;
  // The cells hold their own copies: the call's arguments leave the frame now, so that the
  // arguments the native method pushes for its own calls back into the VM (an event it raises, a
  // method it runs) are the only ones there.
  if (!ArgPopN(frame, frame->argumentTop)) {
    ReleaseCells(cells, count);
    return false;
  }
  // The result cell starts cleared (and a vector result with a cleared block): a native method
  // that fails without writing it leaves a defined value.
  RTVarnoCallArg result{};
  result.type = method->returnType;
  if (result.type == kTypeVector3 && !(result.value.vector = NewRecord<RTFVector3D>())) {
    ReleaseCells(cells, count);
    return false;
  }
  const auto function =
      reinterpret_cast<RPVarnoNativeMethod>(static_cast<RTMethodRecord*>(method->boundMethod)->scriptEntry);
  if (vm->profiling) {
    method->profileStart = ProfileTicks();
    ++method->profileCalls;
  }
  function(method->boundInstance, target, count, cells, &result, vm);
  if (vm->profiling && method->profileStart) method->profileTicks += ProfileTicks() - method->profileStart;
  bool pushed = true;
  if (method->returnType != kTypeNoValue) {
    pushed = PushConstantValue(context, result);
    if (!pushed) Raise(u"Couldn't push constant value");
  }
  TaggedValueRelease(&result);
  ReleaseCells(cells, count);
  if (!pushed) return false;
  // Whatever the native method pushed and left.
  return ArgPopN(frame, frame->argumentTop) != kRTFailure;
}

}  // namespace varno
