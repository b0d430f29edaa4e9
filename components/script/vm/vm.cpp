#include "vm/vm.h"

#include "compiler/core_records.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "compiler/type_table.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/numeric.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"
#include "vm/call_frame.h"
#include "vm/call_path.h"
#include "vm/collector.h"
#include "vm/context.h"
#include "vm/counted_string.h"
#include "vm/decoded_code.h"
#include "vm/event.h"
#include "vm/frame_pool.h"
#include "vm/general_path.h"
#include "vm/interpreter.h"
#include "vm/profile.h"
#include "vm/record_pool.h"
#include "vm/snapshot_tables.h"
#include "vm/symbol.h"
#include "vm/symbol_lookup.h"
#include "vm/vm_plans.h"

namespace varno {

namespace {

constexpr uint8_t kBreakOpcode = 27;
constexpr uint32_t kCollectorInterval = 15000;  // core milliseconds between collector runs
// Synchronous runs inside synchronous runs (constructors that create objects whose constructors
// create objects ...) each take a native stack frame of the interpreter: past this depth a run is
// refused instead of exhausting the stack.
constexpr uint32_t kMaxNestedRuns = 100;
uint32_t gNestedRuns = 0;

RTInstance gCodeParent = nullptr;
uint32_t gLastCollectorRun = 0;
VarnoLoadingCallback gLoadingCallback = nullptr;

uint32_t CoreTime() {
  uint32_t now = 0;
  kivo::ModuleCore()->GetTime(nullptr, &now);
  return now;
}

const char16_t* TypeName(const RTVarnoSymbol* object) {
  return object && object->type && object->type->name ? object->type->name : u"";
}

const char16_t* MethodName(const RTVarnoMethod* method) {
  if (!method) return u"";
  return method->displayName ? method->displayName : method->keyName;
}

// Writes one byte of a method's code, keeping the stream's position.
bool PatchCodeByte(RTInstance code, uint32_t offset, uint8_t byte) {
  uint32_t position = 0;
  uint32_t written = 0;
  if (!kivo::stream::GetPosition(code, &position) || !kivo::stream::Seek(code, offset)) return false;
  const bool ok = kivo::stream::Write(code, &byte, 1, &written) && written == 1;
  kivo::stream::Seek(code, position);
  NoteCodeWrite();
  return ok;
}

void FreeBreakpoint(Breakpoint* breakpoint) {
  if (!breakpoint) return;
  FreeText(breakpoint->fileName);
  FreeRecord(breakpoint);
}

void DestroyContext(RTVarnoContext* context) {
  if (!context) return;
  if (context->object) context->object->hasContext = 0;
  DestroyContextRecord(context);
}

}  // namespace

VarnoComponentFlags gComponentFlags{};

RTInstance CodeParentInstance() {
  if (gCodeParent) return gCodeParent;
  CoreTable* core = kivo::ModuleCore();
  RTInstance parent = nullptr;
  if (core->GetInstanceByName(nullptr, u"Root:Varno-Code", &parent, 0) && parent) {
    gCodeParent = parent;
    return parent;
  }
  if (!core->CreateInstanceByString(nullptr, u"RTComponent", &parent, 0, 0) || !parent) return nullptr;
  if (!kivo::component::SetName(parent, u"Varno-Code")) {
    core->ReleaseInstance(nullptr, parent);
    return nullptr;
  }
  gCodeParent = parent;
  return parent;
}

void VarnoVmShutdown() {
  SnapshotTablesClear();
  CollectorShutdown();
  StringShutdown();
  PoolReleaseSpares();
  gCodeParent = nullptr;  // the instance goes with the instance tree
  gComponentFlags = VarnoComponentFlags{};
  gLastCollectorRun = 0;
  gLoadingCallback = nullptr;
}

RTSuccess VarnoVMFactory(RTVarnoVM** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  RTVarnoVM* vm = NewRecord<RTVarnoVM>();
  if (!vm) return kRTFailure;
  vm->contexts = NewRecord<ContextList>();
  bool made = vm->contexts && kivo::ListCreate(&vm->contexts->contexts) && kivo::ListCreate(&vm->breakpoints) &&
              Collector() && CodeParentInstance();
  if (made) {
    vm->contexts->lastTime = CoreTime();
    made = CollectorAddMachine(vm);
  }
  if (!made) {
    if (vm->contexts) kivo::ListDestroy(vm->contexts->contexts);
    FreeRecord(vm->contexts);
    kivo::ListDestroy(vm->breakpoints);
    FreeRecord(vm);
    return kRTFailure;
  }
  *out = vm;
  return kRTSuccess;
}

RTSuccess VarnoVMDestructor(RTVarnoVM* vm) {
  if (!vm) return kRTFailure;
  RemoveAllContexts(vm);
  DestroyRetiredContext(vm);
  VmSetPendingBreakpoint(vm, nullptr, nullptr, 0);
  // The methods keep their code: every patched break goes back to the instruction it replaced.
  for (Breakpoint* breakpoint : kivo::ListItems<Breakpoint>(vm->breakpoints)) {
    if (breakpoint->method && breakpoint->method->code) {
      PatchCodeByte(breakpoint->method->code, breakpoint->offset, breakpoint->savedOpcode);
    }
    FreeBreakpoint(breakpoint);
  }
  kivo::ListDestroy(vm->breakpoints);
  kivo::ListDestroy(vm->contexts->contexts);
  FreeRecord(vm->contexts);
  CollectorRemoveMachine(vm);
  FreeRecord(vm);
  return kRTSuccess;
}

RTSuccess VarnoVMSetTypeTable(RTVarnoVM* vm, RTVarnoTypeTable* table) {
  if (!vm) return kRTFailure;
  vm->types = table;
  return kRTSuccess;
}

RTSuccess VarnoVMSetHostCallback(RTVarnoVM* vm, RPVarnoVMHostCallback callback, RTInstance argument) {
  if (!vm) return kRTFailure;
  vm->hostCallback = callback;
  vm->hostArgument = argument;
  return kRTSuccess;
}

RTSuccess VarnoVMSetPrintCallback(RTVarnoVM* vm, RPVarnoVMPrintCallback callback) {
  if (!vm) return kRTFailure;
  vm->printCallback = callback;
  return kRTSuccess;
}

RTSuccess LinkContext(RTVarnoVM* vm, RTVarnoContext* context) {
  if (!vm || !context || !kivo::ListAppend(vm->contexts->contexts, context)) return kRTFailure;
  if (!vm->contexts->current) {
    vm->contexts->current = vm->contexts->contexts->first;
    vm->current = context;
  }
  context->linked = 1;
  return kRTSuccess;
}

uint32_t UnlinkObjectContext(RTVarnoVM* vm, RTVarnoSymbol* object) {
  if (!vm || !object) return 0;
  kivo::List* list = vm->contexts->contexts;
  for (kivo::ListLink* link = list->first; link; link = link->next) {
    auto* context = static_cast<RTVarnoContext*>(link->data);
    if (context->object != object) continue;
    object->hasContext = 0;
    const bool current = vm->contexts->current == link || vm->current == context;
    if (vm->contexts->current == link) vm->contexts->current = nullptr;
    kivo::ListRemoveLink(list, link);
    context->linked = 0;
    if (!current) {
      DestroyContext(context);
      return 1;
    }
    // The interpreter may still be running it: it goes when the interpreter has returned.
    if (vm->retired && vm->retired != context) DestroyContext(vm->retired);
    vm->retired = context;
    return 2;
  }
  return 0;
}

RTSuccess RemoveAllContexts(RTVarnoVM* vm) {
  if (!vm) return kRTFailure;
  kivo::List* list = vm->contexts->contexts;
  for (RTVarnoContext* context : kivo::ListItems<RTVarnoContext>(list)) {
    if (context == vm->retired) continue;
    if (context->state != kContextRunning) {
      DestroyContext(context);
      continue;
    }
    // The interpreter runs it (a native method or the debug instruction removes the contexts): it
    // goes when the interpreter has returned, and its object is free for a new context now.
    if (vm->retired) DestroyContext(vm->retired);
    if (context->object) context->object->hasContext = 0;
    context->object = nullptr;
    context->linked = 0;
    vm->retired = context;
  }
  kivo::ListClear(list);
  vm->contexts->current = nullptr;
  if (vm->current != vm->retired) vm->current = nullptr;
  return kRTSuccess;
}

void DestroyRetiredContext(RTVarnoVM* vm) {
  if (!vm || !vm->retired) return;
  if (vm->current == vm->retired) vm->current = nullptr;
  DestroyContext(vm->retired);
  vm->retired = nullptr;
}

RTSuccess VMGetContextCount(RTVarnoVM* vm, uint32_t* count) {
  if (!vm || !count) return kRTFailure;
  *count = vm->contexts->contexts->count;
  return kRTSuccess;
}

RTSuccess VarnoVMGetState(RTVarnoVM* vm, uint8_t* state) {
  if (!vm || !state) return kRTFailure;
  *state = vm->current ? vm->current->state : 1;
  return kRTSuccess;
}

RTSuccess SetContextSleep(RTVarnoContext* context, float seconds) {
  if (!context) return kRTFailure;
  context->sleep = kivo::FloatToInt<int32_t>(static_cast<long double>(seconds) * 1000.0L);
  return kRTSuccess;
}

RTSuccess VarnoVMSetNewContext(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* entry, RTBool trap) {
  if (!vm || !object || !object->type) return kRTFailure;
  if (object->hasContext) return kRTSuccess;
  char16_t name[kLookupNameUnits];
  RTVarnoMethod* method = nullptr;
  if (!kivo::WideStrUpperBounded(entry, name, kLookupNameUnits) ||
      !TypeRetrieveMethodByName(object->type, name, &method, kRetrieveWithAncestors) ||
      !method) {
    Raise(u"[VARNO] Couldn't locate method to execute...");
    return kRTFailure;
  }
  RTVarnoContext* context = nullptr;
  if (!CreateContextRecord(&context)) return kRTFailure;
  CallFrame* frame = nullptr;
  if (!SetContextCode(context, method->code, 0, MethodCode(vm, method)) ||
      !CreateCallFrame(vm, method, object, &frame)) {
    DestroyContextRecord(context);
    return kRTFailure;
  }
  frame->fileName = method->sourceFileName;
  frame->lineTable = method->lineTable;
  if (!PushCallFrame(context, frame)) {
    DestroyCallFrame(frame);
    DestroyContextRecord(context);
    return kRTFailure;
  }
  context->state = kContextIdle;
  context->object = object;
  object->hasContext = 1;
  if (!LinkContext(vm, context)) {
    DestroyContext(context);
    return kRTFailure;
  }
  if (!trap) return kRTSuccess;
  RTVarnoMethod* constructor = nullptr;
  if (!TypeRetrieveMethodByName(object->type, u"CONSTRUCTOR", &constructor, kRetrieveWithAncestors) || !constructor) {
    Raise(u"[VARNO VM] Cannot find constructor for object?");
    return kRTFailure;
  }
  if (object->type->singleton && SingletonConstructed(object->type)) return kRTSuccess;
  if (!RunMethod(vm, object, constructor, 1)) return kRTFailure;
  if (object->type->singleton) MarkSingletonConstructed(object->type);
  return kRTSuccess;
}

RTSuccess RunMethod(RTVarnoVM* vm, RTVarnoSymbol* object, RTVarnoMethod* method, RTBool trap) {
  if (!vm || !object || !method) return kRTFailure;
  if (gComponentFlags.traceCalls) {
    char16_t line[kMessageUnits];
    kivo::FormatTo(line, kMessageUnits, u"(RunMethod) Calling method: %s.%s", TypeName(object), MethodName(method));
    kivo::ModuleCore()->DebugPrint(nullptr, line);
  }
  RTVarnoContext* context = vm->current;
  CallFrame* previous = TopFrame(context);
  if (!previous) return kRTFailure;
  const uint32_t frames = FrameCount(context);
  const uint32_t kinds = context->callKinds->count;
  const uint32_t evals = context->evalReturns->count;

  CallFrame* frame = nullptr;
  if (!AcquireCallFrame(vm, context, method, object, &frame)) return kRTFailure;
  frame->fileName = method->sourceFileName;
  frame->lineTable = method->lineTable;
  if (!PushCallFrame(context, frame)) {
    KeepFrame(context->framePool, frame);
    return kRTFailure;
  }
  ProfileEnterFrame(vm, frame);
  if (!SetupScriptCall(vm, previous, frame, method)) {
    PopCallFrame(context);
    return kRTFailure;
  }
  // The caller resumes where the context stands now.
  SaveReturnPoint(context, previous);

  uint32_t noted = 0;
  if (method->code) kivo::stream::GetPosition(method->code, &noted);
  if (!SetContextCode(context, method->code, 0, MethodCode(vm, method))) {
    PopCallFrame(context);
    return kRTFailure;
  }
  if (method->code) kivo::stream::Seek(method->code, 0);
  PushCallKind(context, kCallMethod);

  uint32_t result = kRunError;
  if (gNestedRuns >= kMaxNestedRuns) {
    Raise(u"[VARNO VM] Too many method runs inside each other (limit is %d)!", kMaxNestedRuns);
  } else {
    ++gNestedRuns;
    result = ExecuteContext(vm, trap ? kModeTrap : kModeRun);
    --gNestedRuns;
  }
  if (method->code) kivo::stream::Seek(method->code, noted);
  if (result != kRunError) return kRTSuccess;

  // A failed run leaves the context as it found it: the frames, call kinds and evals of the
  // method go, and the caller's code is current again.
  while (FrameCount(context) > frames) PopCallFrame(context);
  while (context->callKinds->count > kinds) PopCallKind(context, nullptr);
  void* record = nullptr;
  while (context->evalReturns->count > evals && kivo::StackPop(context->evalReturns, &record)) {
    EvalReturnFree(static_cast<EvalReturn*>(record));
  }
  if (TopFrame(context) == previous && previous->returnStream) {
    SetContextCode(context, previous->returnStream, previous->returnPosition, previous->returnCode);
  }
  return kRTFailure;
}

RTVarnoMethod* MethodToRun(RTVarnoSymbol* object, const char16_t* name) {
  char16_t upper[kLookupNameUnits];
  RTVarnoMethod* method = nullptr;
  if (!kivo::WideStrUpperBounded(name, upper, kLookupNameUnits) ||
      !TypeRetrieveMethodByName(object->type, upper, &method, kRetrieveWithAncestors) || !method) {
    Raise(u"[VARNO VM] Cannot retrieve the method specified: (%s.%s)", TypeName(object), name ? name : u"");
    return nullptr;
  }
  return method;
}

RTSuccess RunFoundMethod(RTVarnoVM* vm, RTVarnoSymbol* object, RTVarnoMethod* method, RTBool trap) {
  if (RunMethod(vm, object, method, trap)) return kRTSuccess;
  Raise(u"[VARNO VM] Error running method: (%s.%s)", TypeName(object), MethodName(method));
  return kRTFailure;
}

RTSuccess RunMethodByName(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* name, RTBool trap) {
  if (!vm || !object || !object->type) return kRTFailure;
  RTVarnoMethod* method = MethodToRun(object, name);
  return method ? RunFoundMethod(vm, object, method, trap) : kRTFailure;
}

RTSuccess ConstructScriptObject(RTVarnoVM* vm, uint32_t typeIndex, RTVarnoSymbol** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (!vm) return kRTFailure;
  RTVarnoSymbol* object = nullptr;
  if (!SymbolFactory(vm->types, typeIndex, &object, kSymbolOrdinary, true)) return kRTFailure;
  *out = object;
  if (typeIndex < kFirstClassType) return kRTSuccess;
  RTVarnoMethod* constructor = nullptr;
  if (!TypeRetrieveMethodByName(object->type, u"CONSTRUCTOR", &constructor, kRetrieveWithAncestors) || !constructor) {
    Raise(u"[VARNO VM] Cannot find constructor for object?");
    return kRTFailure;
  }
  if (!vm->current || (object->type->singleton && SingletonConstructed(object->type))) return kRTSuccess;
  if (!RunMethod(vm, object, constructor, 1)) return kRTFailure;
  if (object->type->singleton) MarkSingletonConstructed(object->type);
  return kRTSuccess;
}

uint32_t ScheduleNextContext(RTVarnoVM* vm) {
  if (!vm) return 0;
  const uint32_t now = CoreTime();
  if (now - gLastCollectorRun > kCollectorInterval) {
    CollectorSweep(vm);
    gLastCollectorRun = now;
  }
  ContextList* list = vm->contexts;
  const uint32_t elapsed = now - list->lastTime;
  list->lastTime = now;
  if (!list->contexts->first) return 0;  // nothing left to run
  if (!list->current) {
    list->current = list->contexts->first;
  } else {
    auto* running = static_cast<RTVarnoContext*>(list->current->data);
    running->savedPosition = running->position;
  }
  for (RTVarnoContext* context : kivo::ListItems<RTVarnoContext>(list->contexts)) {
    const int64_t left = static_cast<int64_t>(context->sleep) - elapsed;
    context->sleep = left < 0 ? 0 : static_cast<int32_t>(left);
  }
  kivo::ListLink* start = list->current;
  kivo::ListLink* link = start;
  do {
    link = link->next ? link->next : list->contexts->first;
    if (static_cast<RTVarnoContext*>(link->data)->sleep == 0) break;
  } while (link != start);
  // Every context sleeps: the start stays current, and the walk went once round all of them.
  const bool allAsleep = static_cast<RTVarnoContext*>(link->data)->sleep != 0;
  if (allAsleep) link = start;
  list->current = link;
  RTVarnoContext* chosen = static_cast<RTVarnoContext*>(link->data);
  vm->current = chosen;
  if (chosen->code) kivo::stream::Seek(chosen->code, chosen->savedPosition);
  const bool fullPass = allAsleep || link == list->contexts->first;
  if (vm->hostCallback && fullPass && vm->hostCallback(vm->hostArgument) == 0) return 0;
  return 1;
}

uint32_t VarnoVMRun(RTVarnoVM* vm) {
  if (!vm) return kRunError;
  gComponentFlags.breakRequest = 0;
  for (;;) {
    if (!ScheduleNextContext(vm)) {
      DestroyRetiredContext(vm);
      return kRunStopped;
    }
    // A context that still sleeps (all of them do), or one the host callback stopped, yields at
    // once.
    RTVarnoContext* chosen = vm->current;
    if (!chosen || chosen == vm->retired || chosen->sleep != 0) {
      DestroyRetiredContext(vm);
      continue;
    }
    const uint32_t result = ExecuteContext(vm, kModeRun);
    DestroyRetiredContext(vm);
    if (result != kRunYield) return result;
  }
}

RTSuccess VarnoVMExecuteStream(RTVarnoVM* vm, RTInstance stream) {
  if (!vm || !stream) return kRTFailure;
  RTVarnoContext* context = vm->current;
  if (!TopFrame(context)) {
    Raise(u"[VARNO INTERPRETER] No current scope for the VM!");
    return kRTFailure;
  }
  const uint32_t frames = FrameCount(context);
  const uint32_t kinds = context->callKinds->count;
  const uint32_t evals = context->evalReturns->count;
  const uint8_t state = context->state;
  // The context's code comes back with the reference it holds now.
  RTInstance saved = context->code;
  const uint32_t savedPosition = context->position;
  if (saved) kivo::ModuleCore()->ResolveHandle(nullptr, saved);
  uint32_t start = 0;
  kivo::stream::GetPosition(stream, &start);
  uint32_t result = kRunError;
  if (gNestedRuns >= kMaxNestedRuns) {
    Raise(u"[VARNO VM] Too many method runs inside each other (limit is %d)!", kMaxNestedRuns);
  } else if (SetContextCode(context, stream, start)) {
    ++gNestedRuns;
    result = ExecuteContext(vm, kModeRun);
    --gNestedRuns;
  }
  // Whatever the stream left running (a method that yielded, an unfinished eval) ends here.
  while (FrameCount(context) > frames) PopCallFrame(context);
  while (context->callKinds->count > kinds) PopCallKind(context, nullptr);
  void* record = nullptr;
  while (context->evalReturns->count > evals && kivo::StackPop(context->evalReturns, &record)) {
    EvalReturnFree(static_cast<EvalReturn*>(record));
  }
  AdoptContextCode(context, saved, savedPosition);
  SyncContextCodePosition(context);
  context->state = state;
  return result == kRunError ? kRTFailure : kRTSuccess;
}

RTSuccess VMStopAllButFirstContext(RTVarnoVM* vm) {
  if (!vm) return kRTFailure;
  kivo::List* list = vm->contexts->contexts;
  // Each context after the first, taken from the list one at a time: unlinking changes it.
  while (list->count > 1) {
    auto* context = static_cast<RTVarnoContext*>(list->first->next->data);
    RTVarnoSymbol* object = context->object;
    if (object) ClearEvents(object->events);
    if (!object || !UnlinkObjectContext(vm, object)) {
      // A context without an object of its own: only the list knows it.
      if (vm->contexts->current == list->first->next) vm->contexts->current = nullptr;
      kivo::ListRemoveLink(list, list->first->next);
      if (context == vm->current) {
        if (vm->retired && vm->retired != context) DestroyContext(vm->retired);
        vm->retired = context;
      } else {
        DestroyContext(context);
      }
    }
  }
  return kRTSuccess;
}

RTSuccess TypeTableResetSingletonEvents(RTVarnoTypeTable* table) {
  if (!table) return kRTFailure;
  for (uint32_t i = 0; i < table->count; ++i) {
    RTVarnoType* type = table->types[i];
    if (type && type->singletonObject) SymbolEmptyQueues(type->singletonObject);
  }
  return kRTSuccess;
}

RTSuccess SetLoadingCallback(VarnoLoadingCallback callback) {
  gLoadingCallback = callback;
  return kRTSuccess;
}

VarnoLoadingCallback LoadingCallback() { return gLoadingCallback; }

RTSuccess VmSetBreakpoint(RTVarnoVM* vm, RTVarnoMethod* method, uint32_t offset, uint32_t base) {
  if (!vm || !method || !method->code) return kRTFailure;
  const uint8_t* bytes = nullptr;
  uint32_t size = 0;
  if (!kivo::memory_stream::GetBuffer(method->code, &bytes) || !kivo::stream::GetSize(method->code, &size) ||
      !bytes || offset >= size) {
    return kRTFailure;
  }
  if (bytes[offset] == kBreakOpcode) return kRTSuccess;
  Breakpoint* breakpoint = NewRecord<Breakpoint>();
  if (!breakpoint) return kRTFailure;
  breakpoint->fileName = method->sourceFileName ? CopyText(method->sourceFileName) : nullptr;
  breakpoint->method = method;
  breakpoint->offset = offset;
  breakpoint->savedOpcode = bytes[offset];
  breakpoint->baseOffset = base;
  if (!kivo::ListAppend(vm->breakpoints, breakpoint) || !PatchCodeByte(method->code, offset, kBreakOpcode)) {
    kivo::ListRemove(vm->breakpoints, breakpoint);
    FreeBreakpoint(breakpoint);
    return kRTFailure;
  }
  return kRTSuccess;
}

Breakpoint* VmFindBreakpoint(RTVarnoVM* vm, const RTVarnoMethod* method, uint32_t position, bool nested) {
  if (!vm) return nullptr;
  for (Breakpoint* breakpoint : kivo::ListItems<Breakpoint>(vm->breakpoints)) {
    if (breakpoint->method != method || (breakpoint->baseOffset != 0) != nested) continue;
    if (breakpoint->offset - breakpoint->baseOffset == position) return breakpoint;
  }
  return nullptr;
}

void VmRemoveBreakpoint(RTVarnoVM* vm, Breakpoint* breakpoint) {
  if (!vm || !breakpoint) return;
  if (breakpoint->method && breakpoint->method->code) {
    PatchCodeByte(breakpoint->method->code, breakpoint->offset, breakpoint->savedOpcode);
  }
  if (vm->pendingBreakpoint == breakpoint) VmSetPendingBreakpoint(vm, nullptr, nullptr, 0);
  kivo::ListRemove(vm->breakpoints, breakpoint);
  FreeBreakpoint(breakpoint);
}

void VmSetPendingBreakpoint(RTVarnoVM* vm, Breakpoint* breakpoint, RTInstance code, uint32_t offset) {
  if (!vm) return;
  if (code) kivo::ModuleCore()->ResolveHandle(nullptr, code);
  if (vm->pendingStream) kivo::ModuleCore()->ReleaseInstance(nullptr, vm->pendingStream);
  vm->pendingBreakpoint = breakpoint;
  vm->pendingStream = breakpoint ? code : nullptr;
  if (!breakpoint && code) kivo::ModuleCore()->ReleaseInstance(nullptr, code);
  vm->pendingOffset = breakpoint ? offset : 0;
}

}  // namespace varno
