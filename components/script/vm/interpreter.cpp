// The general path of the interpreter (vm/general_path.h): the general handler of every
// instruction and the one-instruction step that runs it.
#include "vm/general_path.h"

#include <new>

#include "bytecode/instruction_set.h"
#include "codegen/line_table_stream.h"
#include "compiler/code_value.h"
#include "compiler/core_records.h"
#include "compiler/dotted_name.h"
#include "compiler/listener_list.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/format.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"
#include "vm/attribute_table.h"
#include "vm/call_frame.h"
#include "vm/call_path.h"
#include "vm/collector.h"
#include "vm/context.h"
#include "vm/decoded_code.h"
#include "vm/diagnostics.h"
#include "vm/event.h"
#include "vm/exec.h"
#include "vm/frame_pool.h"
#include "vm/interpreter.h"
#include "vm/instruction.h"
#include "vm/native_call.h"
#include "vm/operand_stack.h"
#include "vm/profile.h"
#include "vm/debug_snapshot.h"
#include "vm/symbol.h"
#include "vm/symbol_lookup.h"
#include "vm/vm.h"
#include "vm/vm_plans.h"

namespace varno {

namespace {

constexpr uint8_t kBreakOpcode = static_cast<uint8_t>(Opcode::kBreak);

const char16_t* MethodName(const RTVarnoMethod* method) {
  if (!method) return u"";
  return method->displayName ? method->displayName : (method->keyName ? method->keyName : u"");
}

const char16_t* TypeName(const RTVarnoSymbol* object) {
  return object && object->type && object->type->name ? object->type->name : u"";
}

void Trace(std::u16string_view format, const char16_t* a, const char16_t* b = nullptr) {
  const std::u16string line = b ? kivo::Format(format, a, b) : kivo::Format(format, a);
  kivo::ModuleCore()->DebugPrint(nullptr, line.c_str());
}

// Operands an opcode reads from the stack; fewer is an error before the instruction runs.
uint32_t RequiredDepth(Opcode op) {
  switch (op) {
    case Opcode::kPop:
    case Opcode::kStores:
    case Opcode::kPusha:
    case Opcode::kJmpne:
    case Opcode::kJmpe:
    case Opcode::kPrintv:
    case Opcode::kNlist:
    case Opcode::kNot:
    case Opcode::kNeg:
    case Opcode::kLpop:
    case Opcode::kSin:
    case Opcode::kCos:
    case Opcode::kTan:
    case Opcode::kLcount:
    case Opcode::kVstorex:
    case Opcode::kVstorey:
    case Opcode::kVstorez:
    case Opcode::kVlength:
    case Opcode::kVnormalized:
    case Opcode::kAbs:
    case Opcode::kSqrt:
    case Opcode::kSqr:
    case Opcode::kVclamped:
    case Opcode::kRand:
    case Opcode::kSleep:
    case Opcode::kCanbe:
    case Opcode::kEval:
    case Opcode::kListen:
    case Opcode::kDnew:
    case Opcode::kDebug:
    case Opcode::kDbkeys:
    case Opcode::kCopylisten:
      return 1;
    case Opcode::kAdd:
    case Opcode::kSub:
    case Opcode::kMul:
    case Opcode::kDiv:
    case Opcode::kEq:
    case Opcode::kNeq:
    case Opcode::kLt:
    case Opcode::kGt:
    case Opcode::kLe:
    case Opcode::kGe:
    case Opcode::kAppend:
    case Opcode::kLload:
    case Opcode::kXor:
    case Opcode::kAnd:
    case Opcode::kOr:
    case Opcode::kLremove:
    case Opcode::kVdistance:
    case Opcode::kVdot:
    case Opcode::kDbremove:
    case Opcode::kDbhaskey:
    case Opcode::kDbretrieve:
    case Opcode::kNdb:
      return 2;
    case Opcode::kLstore:
    case Opcode::kDbadd:
      return 3;
    default:
      return 0;
  }
}

// Jumps inside the current code; a target beyond its end is an error.
int Jump(Run& run, int32_t target) {
  const auto position = static_cast<uint32_t>(target);
  if (target < 0 || position > run.context->codeSize) {
    Raise(u"[VARNO VM] Execute: Jump target 0x%08X lies outside the code!", position);
    return kError;
  }
  run.context->position = position;
  return kNext;
}

// The object a call target name gives: "this" or a variable holding an object.
RTVarnoSymbol* ResolveCallTarget(Run& run, const char16_t* name) {
  NamedVariable variable;
  if (!LookupVariable(run.vm, run.context, name, true, &variable)) return nullptr;
  return variable.symbol;
}

RTVarnoMethod* FindMethod(const RTVarnoSymbol* object, const char16_t* name, RTVarnoMethodRetrieve mode) {
  if (!object || !object->type || !name) return nullptr;
  char16_t upper[kLookupNameUnits];
  size_t i = 0;
  for (; name[i] && i + 1 < kLookupNameUnits; ++i) upper[i] = kivo::WideStrUpperChar(name[i]);
  if (name[i]) return nullptr;
  upper[i] = 0;
  RTVarnoMethod* method = nullptr;
  if (!object->type->methods || !TypeRetrieveMethodByName(object->type, upper, &method, mode)) return nullptr;
  return method;
}

// The object and method a call operand names; false when the target is missing (reported).
bool ResolveCall(Run& run, const Operation& operation, RTVarnoSymbol** object, RTVarnoMethod** method) {
  *object = CurrentObject(run.context);
  *method = nullptr;
  char16_t target[kNameUnits];
  const char16_t* methodName = nullptr;
  if (!NameSplitFirst(operation.name, target, kNameUnits, &methodName)) return false;
  if (methodName && !(*object = ResolveCallTarget(run, target))) {
    Raise(u"[VARNO VM] (call): Couldn't retrieve symbol (%s) of method to call.", target);
    return false;
  }
  *method = FindMethod(*object, methodName ? methodName : operation.name, kRetrieveWithAncestors);
  return true;
}

int DoCall(Run& run, const Operation& operation) {
  const char16_t* name = operation.name;
  RTVarnoContext* context = run.context;
  CallFrame* frame = TopFrame(context);
  frame->balanceMark = context->operandTop;
  if (ComponentFlags().traceCalls) Trace(u"Calling method: %s", name);
  RTVarnoSymbol* object = nullptr;
  RTVarnoMethod* method = nullptr;
  if (!ResolveCall(run, operation, &object, &method)) return kError;
  if (!method) {
    Raise(u"[VARNO VM] (call): Couldn't retrieve method (%s) to call.", name);
    return kError;
  }
  if (method->kind == kMethodImplemented) {
    if (!CallImplementedMethod(run.vm, method, object)) return kError;
    if (run.mode == kModeStepOver) return Finish(run, kRunStopped);
    context->nativeMethod = nullptr;
    // The native method stopped this context: it goes as soon as the interpreter has returned.
    if (run.vm->retired == context) return Finish(run, kRunYield);
    return kNext;
  }
  if (method->kind == kMethodEvent) {
    // Queued for the target's next loop back-edge; a refused event leaves no arguments behind.
    if (!QueueEventFromFrame(object, method, frame)) ArgPopN(frame, frame->argumentTop);
    return kNext;
  }
  PushCallKind(context, kCallMethod);
  SaveReturnPoint(context, frame);
  return EnterMethod(run, method, object, frame);
}

int DoCallInherited(Run& run) {
  RTVarnoContext* context = run.context;
  CallFrame* frame = TopFrame(context);
  frame->balanceMark = context->operandTop;
  const RTVarnoMethod* current = frame->method;
  RTVarnoType* owner = current ? current->owner : nullptr;
  RTVarnoMethod* method = nullptr;
  if (!owner || !TypeRetrieveMethodByName(owner, current->keyName, &method, kRetrieveFromParent) || !method) {
    Raise(u"[VARNO VM] (call): Couldn't retrieve method (%s) to call.", MethodName(current));
    return kError;
  }
  if (ComponentFlags().traceCalls) {
    Trace(u"Calling inherited method: %s.%s", method->owner && method->owner->name ? method->owner->name : u"",
          MethodName(method));
  }
  if (method->kind != kMethodPlain) {
    Raise(u"[VARNO VM] Cannot currently call inherited states or events!");
    return kError;
  }
  PushCallKind(context, kCallMethod);
  SaveReturnPoint(context, frame);
  return EnterMethod(run, method, CurrentObject(context), frame);
}

// Resumes the code an eval interrupted.
void EndEval(RTVarnoContext* context) {
  void* word = nullptr;
  if (!kivo::StackPop(context->evalReturns, &word)) return;
  auto* record = static_cast<EvalReturn*>(word);
  AdoptContextCode(context, record->stream, record->position, record->decoded);
  record->stream = nullptr;
  EvalReturnFree(record);
}

int DoEval(Run& run) {
  RTVarnoContext* context = run.context;
  const RTVarnoStackElement& tos = Tos(context);
  if (tos.tag != kTagCode || !tos.value.code || !tos.value.code->stream) {
    Raise(u"[VARNO VM] (eval) Can only evaluate a code object!");
    return kError;
  }
  VNcode* code = tos.value.code;
  EvalReturn* record = NewRecord<EvalReturn>();
  if (!record) return kError;
  // The record keeps the code value: popping it below must not free the running stream.
  CodeValueReference(code);
  record->code = code;
  record->lineTable = code->lineTable;
  record->stream = context->code;
  record->position = context->position;
  record->decoded = HoldDecodedCode(context->decoded);
  if (record->stream) kivo::ModuleCore()->ResolveHandle(nullptr, record->stream);
  if (!kivo::StackPush(context->evalReturns, record)) {
    EvalReturnFree(record);
    return kError;
  }
  PushCallKind(context, kCallEval);
  if (!SetContextCode(context, code->stream, 0)) return kError;
  OperandPop(context);
  return kNext;
}

int DoReturn(Run& run) {
  RTVarnoContext* context = run.context;
  CallKind kind = kCallMethod;
  if (!PopCallKind(context, &kind)) {
    Raise(u"Mismatch in return stack!");
    kind = kCallMethod;
  }
  if (kind == kCallEval && context->evalReturns->count) {
    if (ComponentFlags().traceCalls) kivo::ModuleCore()->DebugPrint(nullptr, u"return from eval");
    EndEval(context);
    return kNext;
  }
  CallFrame* finished = TopFrame(context);
  if (!finished) return Finish(run, kRunStopped);
  ProfileLeaveFrame(run.vm, finished);
  if (ComponentFlags().traceCalls) Trace(u"Returning from method: %s", MethodName(finished->method));
  context->inEvent = 0;
  const bool wasEvent = finished->method && finished->method->kind == kMethodEvent;
  RTVarnoSymbol* eventObject = finished->object;
  ListenerEntry* listener = nullptr;
  if (wasEvent && eventObject) {
    listener = ListenerListFind(eventObject->listeners, finished->method->keyName);
    if (listener) context->inEvent = 1;
  }
  const bool done = run.mode == kModeTrap && finished == run.waitFrame;
  PopCallFrame(context);
  CallFrame* caller = TopFrame(context);
  if (!caller) return Finish(run, kRunStopped);
  SetContextCode(context, caller->returnStream, caller->returnPosition, caller->returnCode);
  if (ComponentFlags().traceCalls && caller->method && caller->method->keyName &&
      kivo::WideStrEqualNoCase(caller->method->keyName, u"Switchboard") == 0) {
    Trace(u"Returning to: %s", MethodName(caller->method));
  }
  if (!done && !listener) ArgPopN(caller, caller->argumentTop);
  if (wasEvent) {
    if (listener) {
      // The listener runs with the event's arguments, which stay on the caller's stack until it
      // returns.
      PushCallKind(context, kCallMethod);
      if (EnterMethod(run, listener->method, listener->object, caller) == kError) return kError;
      context->inListener = 1;
      context->speaker = eventObject;
    }
    return Finish(run, run.mode == kModeStepOver ? kRunStopped : kRunYield);
  }
  context->inListener = 0;
  if (run.mode == kModeStepOver || done) return Finish(run, kRunStopped);
  return kNext;
}

// The loop back-edge: the oldest queued event of the object runs now; without one the context
// yields.
int DoLoops(Run& run, int32_t target) {
  if (Jump(run, target) == kError) return kError;
  RTVarnoContext* context = run.context;
  RTVarnoSymbol* object = CurrentObject(context);
  if (context->deafened || !object || !object->events || !object->events->first) {
    ProfileLeaveFrame(run.vm, TopFrame(context));
    return Finish(run, run.mode == kModeStepOver ? kRunStopped : kRunYield);
  }
  auto* event = static_cast<RTVarnoEvent*>(object->events->first->data);
  kivo::ListRemoveLink(object->events, object->events->first);
  RTVarnoMethod* method = FindMethod(object, event->name, kRetrieveWithAncestors);
  if (!method || event->count + 1 > kArgumentStackSize) {
    Raise(u"[VARNO VM] Cannot find event specified in object.");
    EventDiscard(event);
    return kError;
  }
  if (ComponentFlags().traceCalls) Trace(u"Processing event: %s.%s", TypeName(object), event->name);
  CallFrame* frame = TopFrame(context);
  SaveReturnPoint(context, frame);
  PushCallKind(context, kCallMethod);
  // The event's arguments become the caller's arguments of the handler call. Above the popped top
  // the slots hold nothing to release (a push writes them as they are, and a new frame leaves them
  // unwritten); only the base element's slot may hold a value.
  ArgPopN(frame, frame->argumentTop);
  StackElementRelease(&frame->arguments[0]);
  for (uint32_t i = 0; i <= event->count; ++i) {
    frame->arguments[i] = event->arguments[i];
    event->arguments[i] = RTVarnoStackElement{};
  }
  frame->argumentTop = event->count;
  EventFree(event);
  if (EnterMethod(run, method, object, frame) == kError) return kError;
  context->inEvent = 1;
  return kNext;
}

// Writes one byte of a code stream, keeping its position.
bool WriteCodeByte(RTInstance code, uint32_t offset, uint8_t byte) {
  uint32_t position = 0;
  uint32_t written = 0;
  if (!code || !kivo::stream::GetPosition(code, &position)) return false;
  const bool ok = kivo::stream::Seek(code, offset) && kivo::stream::Write(code, &byte, 1, &written) && written == 1;
  kivo::stream::Seek(code, position);
  return ok;
}

// The break in the running code gives back the instruction it replaced, which runs next; the break
// is written again behind it.
int DoBreak(Run& run, uint32_t position) {
  RTVarnoContext* context = run.context;
  context->state = kContextIdle;
  const CallFrame* frame = TopFrame(context);
  // Code that is not the frame method's own is an evaluated code literal of it.
  const bool nested = frame && frame->method && context->code != frame->method->code;
  Breakpoint* breakpoint = frame ? VmFindBreakpoint(run.vm, frame->method, position, nested) : nullptr;
  if (breakpoint && context->code && WriteCodeByte(context->code, position, breakpoint->savedOpcode)) {
    NoteCodeWrite();
    RefreshContextCode(context);
    context->position = position;
    VmSetPendingBreakpoint(run.vm, breakpoint, context->code, position);
  }
  return Finish(run, kRunStopped);
}

// Writes the break opcode back over an instruction that ran in its place.
bool RearmBreakpoint(Run& run) {
  RTVarnoVM* vm = run.vm;
  if (!vm->pendingBreakpoint) return true;
  RTInstance code = vm->pendingStream;
  const uint32_t offset = vm->pendingOffset;
  if (code) kivo::ModuleCore()->ResolveHandle(nullptr, code);  // outlives the clearing below
  VmSetPendingBreakpoint(vm, nullptr, nullptr, 0);
  if (!code) return true;
  const bool ok = WriteCodeByte(code, offset, kBreakOpcode);
  NoteCodeWrite();
  RefreshContextCode(run.context);
  kivo::ModuleCore()->ReleaseInstance(nullptr, code);
  return ok;
}

int DoPusha(Run& run) {
  if (!ArgumentKind(Tos(run.context).tag)) {
    Raise(u"[VARNO VM] Execute (epusha): Attempting to push an argument type not understood");
    return kError;
  }
  RTVarnoStackElement element{};
  OperandTake(run.context, &element);
  if (!ArgPushElement(TopFrame(run.context), &element)) {
    StackElementRelease(&element);
    return kError;
  }
  return kNext;
}

int DoBalance(Run& run) {
  const uint32_t mark = TopFrame(run.context)->balanceMark;
  const uint32_t top = run.context->operandTop;
  if (top == mark + 1) {
    OperandPop(run.context);
  } else if (top != mark) {
    Raise(u"[VARNO VM] (balance): Error! Stack Way out of balance!");
    return kError;
  }
  return kNext;
}

RTVarnoSymbol* NamedObject(Run& run, const char16_t* name) {
  NamedVariable variable;
  return LookupVariable(run.vm, run.context, name, true, &variable) ? variable.symbol : nullptr;
}

int DoStart(Run& run, const char16_t* name) {
  RTVarnoSymbol* object = NamedObject(run, name);
  if (!object) {
    Raise(u"[VARNO VM] (start): Could not find symbol required to start.");
    return kError;
  }
  if (!VarnoVMSetNewContext(run.vm, object, u"SwitchBoard", 0)) {
    Raise(u"[VARNO VM] (start): Cannot create a new context for the symbol specified.");
    return Finish(run, kRunError);
  }
  return kNext;
}

int DoStop(Run& run, const char16_t* name) {
  RTVarnoSymbol* object = NamedObject(run, name);
  if (!object) {
    Raise(u"[VARNO VM] (stop): Could not find symbol required to stop.");
    return kError;
  }
  ClearEvents(object->events);
  // Sync first: a context stopped here is destroyed only when the interpreter has returned.
  const int result = Finish(run, kRunYield);
  UnlinkObjectContext(run.vm, object);
  return result;
}

int DoSleep(Run& run) {
  const RTVarnoStackElement& tos = Tos(run.context);
  if (tos.tag != kTagNumber && tos.tag != kTagReal) {
    Raise(u"[VARNO VM] (sleep): TOS must be a number or real (in seconds).");
    return kError;
  }
  SetContextSleep(run.context, tos.tag == kTagNumber ? static_cast<float>(tos.value.number) : tos.value.real);
  OperandPop(run.context);
  return Finish(run, kRunYield);
}

// A handler named alone (a method of the current object) or as "target.method".
bool FindHandler(Run& run, const char16_t* name, RTVarnoSymbol** object, RTVarnoMethod** method) {
  char16_t target[kNameUnits];
  const char16_t* rest = nullptr;
  *object = nullptr;
  *method = nullptr;
  if (!name || !NameSplitFirst(name, target, kNameUnits, &rest)) return false;
  *object = rest ? ResolveCallTarget(run, target) : CurrentObject(run.context);
  *method = FindMethod(*object, rest ? rest : name, kRetrieveWithAncestors);
  return *method != nullptr;
}

int DoListen(Run& run, const char16_t* name) {
  RTVarnoSymbol* eventObject = nullptr;
  RTVarnoMethod* event = nullptr;
  if (!FindHandler(run, name, &eventObject, &event)) {
    Raise(u"[VARNO VM] (listen) Couldn't locate event to listen in on...");
    return kError;
  }
  if (event->kind != kMethodEvent) {
    Raise(u"[VARNO VM] (listen) Method specified is not an event");
    return kError;
  }
  const RTVarnoStackElement& tos = Tos(run.context);
  RTVarnoSymbol* listeningObject = nullptr;
  RTVarnoMethod* listener = nullptr;
  if (tos.tag != kTagString || !FindHandler(run, tos.value.text, &listeningObject, &listener)) {
    Raise(u"[VARNO VM] (listen) Couldn't locate listener to listen in on...");
    return kError;
  }
  if (listener->kind != kMethodListener) {
    Raise(u"[VARNO VM] (listen) Method specified is not a listener");
    return kError;
  }
  ListenerEntry* entry = ListenerEntryCreate(event->keyName, listeningObject, listener);
  if (!entry || !eventObject->listeners || !ListenerListPrepend(eventObject->listeners, entry)) {
    ListenerEntryFree(entry);
    Raise(u"[VARNO VM] (listen) Cannot add a listener?");
    return kError;
  }
  OperandPop(run.context);
  return kNext;
}

int DoCopyListen(Run& run, const char16_t* name) {
  const RTVarnoStackElement& tos = Tos(run.context);
  if (tos.tag != kTagObject || !tos.value.object) {
    Raise(u"[VARNO VM] (copylisten) TOS has to be an object!");
    return kError;
  }
  RTVarnoSymbol* object = tos.value.object;
  NamedVariable variable;
  if (!LookupVariable(run.vm, run.context, name, false, &variable) || !variable.entry) {
    Raise(u"[VARNO VM] Execute (copylisten): Could not find symbol (%s) required to store TOS into!", name);
    return kError;
  }
  RTVarnoSymbol* old = variable.entry->symbol;
  if (old && old != object && SymbolIsObject(old) && object->listeners) {
    ListenerListAppendCopies(object->listeners, old->listeners);
  }
  variable.entry->symbol = object;
  variable.entry->bound = 1;
  NoteRebinding();
  object->stored = 1;
  OperandPop(run.context);
  return kNext;
}

int DoDebug(Run& run) {
  const RTVarnoStackElement& tos = Tos(run.context);
  if (tos.tag != kTagNumber) {
    Raise(u"_DEBUG() opcode didn't encounter a numeric type!");
    return kError;
  }
  VarnoComponentFlags& flags = ComponentFlags();
  const int32_t request = tos.value.number;
  // The request goes first: a snapshot holds the stack as the next instruction finds it.
  OperandPop(run.context);
  switch (request) {
    case 0:
      if (!flags.snapshotWritten) {
        flags.snapshotWritten = 1;
        WriteDebugSnapshot(run.vm);
      }
      return kNext;
    case 1:
      if (!flags.snapshotRead) {
        flags.snapshotRead = 1;
        // The contexts read replace this one, which the VM destroys once this slice has ended.
        ReadDebugSnapshot(run.vm);
        return Finish(run, kRunYield);
      }
      return kNext;
    case 3:
      flags.traceInstructions = 1;
      flags.traceCalls = 1;
      break;
    case 4:
      break;
    case 5: {
      uint32_t blocks = 0;
      uint32_t heap = 0;
      kivo::ModuleCore()->GetMemoryStats(nullptr, &blocks, &heap);
      Raise(u"Heap: %d, Blocks: %d", heap, blocks);
      break;
    }
    case 6:
      CollectorSweep(run.vm);
      break;
    default:
      kivo::ModuleCore()->DebugPrint(nullptr, u"DEBUG() did nothing...");
      break;
  }
  return kNext;
}

int DoPriority(Run& run, const char16_t* name) {
  if (!NamedObject(run, name)) {
    Raise(u"[VARNO VM] (priority): Could not find symbol (%s) to set priority.", name);
  } else {
    Raise(u"[VARNO VM] (priority): Priority opcode not implemented yet!");
  }
  return kError;
}

int Value(bool ok) { return ok ? kNext : kError; }

int Execute(Run& run, Operation& instruction) {
  RTVarnoContext* context = run.context;
  const auto op = static_cast<Opcode>(instruction.opcode);
  if (instruction.opcode >= kOpcodeCount) {
    Raise(u"[VARNO VM] Execute encountered invalid opcode!");
    return kError;
  }
  if (OperandDepth(context) < RequiredDepth(op)) {
    Raise(u"[VARNO VM] Execute (%s): Operand stack underflow!", OpcodeName(instruction.opcode));
    return kError;
  }
  Exec x{run.vm, context, &instruction};
  const char16_t* name = instruction.name;
  switch (op) {
    case Opcode::kNop:
    case Opcode::kPushas:
      return kNext;
    case Opcode::kPushs:
      return Value(ExecPushs(x));
    case Opcode::kPop:
      return Value(OperandPop(context));
    case Opcode::kStores:
      return Value(ExecStores(x));
    case Opcode::kAdd:
    case Opcode::kSub:
    case Opcode::kMul:
    case Opcode::kDiv:
      return Value(ExecArithmetic(x));
    case Opcode::kPusha:
      return DoPusha(run);
    case Opcode::kCall:
    case Opcode::kSwitch:
      return DoCall(run, instruction);
    case Opcode::kEq:
    case Opcode::kNeq:
    case Opcode::kLt:
    case Opcode::kGt:
    case Opcode::kLe:
    case Opcode::kGe:
      return Value(ExecCompare(x));
    case Opcode::kJmp:
      return Jump(run, instruction.operand.value.number);
    case Opcode::kJmpne:
    case Opcode::kJmpe: {
      const bool zero = Tos(context).value.word == 0;
      OperandPop(context);
      return zero == (op == Opcode::kJmpne) ? Jump(run, instruction.operand.value.number) : kNext;
    }
    case Opcode::kPrintv:
      return Value(ExecPrint(x));
    case Opcode::kPushvn:
      return Value(PushNumber(context, instruction.operand.value.number));
    case Opcode::kPushvr:
      return Value(PushReal(context, instruction.operand.value.real));
    case Opcode::kPushvs:
      // A decoded operand is a counted string of the decoding's; one read afresh is the operation's.
      return Value(instruction.ownsOperand ? PushStringCopy(context, instruction.operand.value.text)
                                           : PushStringShared(context, instruction.operand.value.text));
    case Opcode::kReturn:
      return DoReturn(run);
    case Opcode::kLoops:
      return DoLoops(run, instruction.operand.value.number);
    case Opcode::kAppend:
    case Opcode::kNlist:
    case Opcode::kLload:
    case Opcode::kLstore:
    case Opcode::kLremove:
    case Opcode::kLpop:
    case Opcode::kLcount:
    case Opcode::kMlist:
      return Value(ExecList(x));
    case Opcode::kPusht:
    case Opcode::kPushf:
      return Value(PushBool(context, op == Opcode::kPusht));
    case Opcode::kXor:
    case Opcode::kAnd:
    case Opcode::kOr:
    case Opcode::kNot:
      return Value(ExecLogic(x));
    case Opcode::kStart:
      return DoStart(run, name);
    case Opcode::kStop:
      return DoStop(run, name);
    case Opcode::kNeg:
      return Value(ExecNegate(x));
    case Opcode::kSin:
    case Opcode::kCos:
    case Opcode::kTan:
    case Opcode::kAbs:
    case Opcode::kSqrt:
    case Opcode::kSqr:
      return Value(ExecMath(x));
    case Opcode::kPushvv3:
      return Value(PushVector3(context, instruction.vector));
    case Opcode::kVpushx:
    case Opcode::kVpushy:
    case Opcode::kVpushz:
      return Value(ExecVectorPush(x));
    case Opcode::kVstorex:
    case Opcode::kVstorey:
    case Opcode::kVstorez:
      return Value(ExecVectorStore(x));
    case Opcode::kVlength:
    case Opcode::kVdistance:
    case Opcode::kVnormalized:
    case Opcode::kVclamped:
    case Opcode::kVdot:
      return Value(ExecVector(x));
    case Opcode::kNew:
    case Opcode::kDnew:
      return Value(ExecNew(x));
    case Opcode::kCalli:
      return DoCallInherited(run);
    case Opcode::kRand:
      return Value(ExecRand(x));
    case Opcode::kSleep:
      return DoSleep(run);
    case Opcode::kCanbe:
      return Value(ExecCanBe(x));
    case Opcode::kPushvc:
      return Value(PushCode(context, instruction.operand.value.code));
    case Opcode::kEval:
      return DoEval(run);
    case Opcode::kListen:
      return DoListen(run, name);
    case Opcode::kBalance:
      return DoBalance(run);
    case Opcode::kPriority:
      return DoPriority(run, name);
    case Opcode::kSlisten:
      context->deafened = 0;
      return kNext;
    case Opcode::kSdeafen:
      context->deafened = 1;
      return kNext;
    case Opcode::kDbadd:
    case Opcode::kDbremove:
    case Opcode::kDbhaskey:
    case Opcode::kDbretrieve:
    case Opcode::kNdb:
    case Opcode::kMdb:
    case Opcode::kDbkeys:
      return Value(ExecDatabase(x));
    case Opcode::kDebug:
      return DoDebug(run);
    case Opcode::kCopylisten:
      return DoCopyListen(run, name);
    case Opcode::kSpeaker:
      if (!context->inListener) {
        Raise(u"[VARNO VM] Execute (speaker): Need to be inside of a listener to use the speaker opcode!");
        return kError;
      }
      return Value(PushObject(context, context->speaker));
    case Opcode::kExit:
      return Finish(run, kRunExit);
    default:  // trigger, ret, create, release, prints, pushvl, lreverse, atan, acos, asin, vcross, snooze
      Raise(u"[VARNO VM] Execute encountered invalid opcode!");
      return kError;
  }
}

// A failed allocation anywhere in an instruction (a container of the VM, a native method it calls)
// takes the error exit like any other VM error, instead of ending the process.
template <class Step>
int Guarded(Step step) {
  try {
    return step();
  } catch (const std::bad_alloc&) {
    Raise(u"[VARNO VM] Out of memory: an allocation failed while the script ran!");
    return kError;
  }
}

void ReleaseOperation(Operation* operation) {
  if (!operation->ownsOperand) return;
  if (operation->kind == OperandKind::kString) {
    FreeText(operation->operand.value.text);
  } else if (operation->kind == OperandKind::kCode && operation->operand.value.code) {
    CodeValueRelease(operation->operand.value.code);
  }
  operation->operand = RTVarnoConstantValue{};
}

void ReportUnreadable(ReadStatus status, uint32_t position) {
  switch (status) {
    case ReadStatus::kCutShort:
      Raise(u"[VARNO VM] Execute: The instruction at 0x%04X is cut short by the end of the code!", position);
      break;
    case ReadStatus::kNameTooLong:
      Raise(u"[VARNO VM] Execute: The name operand at 0x%04X is longer than 255 characters!", position);
      break;
    default:
      Raise(u"[VARNO VM] Execute: The instruction at 0x%04X cannot be read!", position);
      break;
  }
}

}  // namespace

CallFrame* Exec::frame() const { return TopFrame(context); }

void MarkBalance(Exec& x) {
  if (CallFrame* frame = x.frame()) frame->balanceMark = x.context->operandTop - 1;
}

int Finish(Run& run, uint32_t result) {
  run.context->state = kContextIdle;
  SyncContextCodePosition(run.context);
  return static_cast<int>(result);
}

uint32_t ErrorExit(Run& run, uint32_t position) {
  RTVarnoContext* context = run.context;
  context->position = position;
  SyncContextCodePosition(context);
  char16_t file[kNameUnits];
  int32_t line = -1;
  if (VarnoVMGetCurrentFileLineInfo(run.vm, file, kNameUnits, &line)) {
    Raise(u"[VARNO VM] Last file/line information reports file (%s), line (%d)", file, line);
  } else if (const CallFrame* frame = TopFrame(context)) {
    Raise(u"[VARNO VM] Couldn't retrieve file/line information to report in error. Current scope in (%s)",
          MethodName(frame->method));
  }
  VMDumpRunningState(run.vm);
  context->state = kContextIdle;
  return kRunError;
}

int EnterMethod(Run& run, RTVarnoMethod* method, RTVarnoSymbol* object, CallFrame* caller) {
  if (!method->code) {
    Raise(u"[VARNO VM] (call): Method (%s) has no code!", MethodName(method));
    return kError;
  }
  CallFrame* frame = nullptr;
  if (!AcquireCallFrame(run.vm, run.context, method, object, &frame)) return kError;
  frame->fileName = method->sourceFileName;
  frame->lineTable = method->lineTable;
  if (!PushCallFrame(run.context, frame)) {
    KeepFrame(run.context->framePool, frame);
    return kError;
  }
  ProfileEnterFrame(run.vm, frame);
  if (!SetupScriptCall(run.vm, caller, frame, method)) return kError;
  if (!SetContextCode(run.context, method->code, 0, MethodCode(run.vm, method))) return kError;
  return kNext;
}

int GeneralStep(Run& run) {
  RTVarnoContext* context = run.context;
  const VarnoComponentFlags& flags = ComponentFlags();
  context->state = kContextRunning;
  const uint32_t position = context->position;
  if (flags.breakRequest) return Finish(run, kRunStopped);
  if (run.mode == kModeStepOver && (position < run.lineFirst || position > run.lineLast)) {
    return Finish(run, kRunStopped);
  }
  Operation operation{};
  VmInstruction read;  // the instruction read afresh (the operation points into it)
  const DecodedOp* decoded = context->decoded ? context->decoded->At(position) : nullptr;
  if (decoded && decoded->status == ReadStatus::kRead && decoded->ownForm != kFormGeneral) {
    const char16_t* name = decoded->name ? decoded->name->text.c_str() : u"";
    operation = Operation{decoded->opcode,  decoded->kind,   position, name, decoded->name,
                          decoded->operand, decoded->vector, false};
    context->position = decoded->next;
  } else {
    // No decoding starts here, or the instruction is read at every execution (a code operand).
    const bool afresh = !decoded || decoded->status == ReadStatus::kRead;
    const ReadStatus status = afresh ? ReadInstruction(context->codeBytes, context->codeSize, &context->position,
                                                       CodeParentInstance(), &read)
                                     : decoded->status;
    if (status == ReadStatus::kEnd) {
      if (!context->evalReturns->count) return Finish(run, kRunStopped);
      // The evaluated code ran off its end: the interrupted code goes on, and its eval entry goes.
      CallKind kind = kCallMethod;
      if (PeekCallKind(context, &kind) && kind == kCallEval) PopCallKind(context, nullptr);
      EndEval(context);
      return kNext;
    }
    if (status != ReadStatus::kRead) {
      ReportUnreadable(status, position);
      return static_cast<int>(ErrorExit(run, position));
    }
    operation = Operation{read.opcode, read.kind, read.start, read.name, nullptr, read.operand, read.vector, true};
  }
  if (operation.kind == OperandKind::kVector3) operation.operand.value.vector = &operation.vector;
  if (flags.traceInstructions) TraceOperation(operation);
  if (operation.opcode == kBreakOpcode) {
    ReleaseOperation(&operation);
    return DoBreak(run, position);
  }
  const int step = Guarded([&] { return Execute(run, operation); });
  ReleaseOperation(&operation);
  if (step == kError) return static_cast<int>(ErrorExit(run, position));
  if (!RearmBreakpoint(run)) return Finish(run, kRunError);
  return step;
}

}  // namespace varno
