// The Varno virtual machine: the record that holds the contexts of one script program, its type
// table, breakpoints and host callback, and the operations that start contexts, run them and run
// methods synchronously.
#pragma once

#include <cstdint>

#include "kivo/support/list.h"
#include "kivo/types.h"
#include "varno/call_cells.h"  // RPVarnoVMHostCallback

namespace varno {

struct RTVarnoContext;
struct RTVarnoMethod;
struct RTVarnoSymbol;
struct RTVarnoTypeTable;


struct ContextList {
  uint32_t lastTime;        // core milliseconds of the last scheduler step
  kivo::List* contexts;     // RTVarnoContext, in the order linked
  kivo::ListLink* current;  // the link of the context that runs, or none
};

struct Breakpoint {
  char16_t* fileName;
  RTVarnoMethod* method;
  uint32_t offset;       // of the patched instruction in the method's code
  uint8_t savedOpcode;   // the opcode byte the break replaced
  uint32_t baseOffset;   // of the nested code block that holds it (0 for the method's own code)
};

struct RTVarnoVM {
  RTVarnoContext* retired;      // a context stopped while it ran, destroyed when the run returns
  RTVarnoContext* current;      // the context the interpreter runs
  RTVarnoTypeTable* types;
  uintptr_t word4;
  ContextList* contexts;
  kivo::List* breakpoints;      // Breakpoint
  Breakpoint* pendingBreakpoint;  // waiting to be re-armed
  RPVarnoVMHostCallback hostCallback;
  RTInstance hostArgument;
  RPVarnoVMPrintCallback printCallback;  // also receives the text of every `print`, when set
  uint32_t profiling;
  RTInstance pendingStream;       // the code the waiting break goes back into (one reference)
  uint32_t pendingOffset;         // and where
};

// Flags shared by every VM of the component.
struct VarnoComponentFlags {
  uint32_t breakRequest;
  uint32_t traceInstructions;
  uint32_t traceCalls;
  uint32_t snapshotWritten;
  uint32_t snapshotRead;
  // Every instruction through its general handler, without the quick handlers, the lookup caches,
  // in-place changes or kept frames: the reference the fast paths are compared with.
  uint32_t generalPathOnly;
};
// One record for the component; reached inline, as the interpreter reads it on every loop.
extern VarnoComponentFlags gComponentFlags;
inline VarnoComponentFlags& ComponentFlags() { return gComponentFlags; }

// Results of the interpreter and of a run.
enum RunResult : uint32_t {
  kRunError = 0,
  kRunStopped = 1,
  kRunYield = 2,
  kRunExit = 3,
};

RTSuccess VarnoVMFactory(RTVarnoVM** out);
RTSuccess VarnoVMDestructor(RTVarnoVM* vm);
RTSuccess VarnoVMSetTypeTable(RTVarnoVM* vm, RTVarnoTypeTable* table);
RTSuccess VarnoVMSetHostCallback(RTVarnoVM* vm, RPVarnoVMHostCallback callback, RTInstance argument);
RTSuccess VarnoVMSetPrintCallback(RTVarnoVM* vm, RPVarnoVMPrintCallback callback);
// Starts a context on the object at the named method (its own or an ancestor's); an object that
// has a context keeps it. With `trap`, the object's constructor runs now.
RTSuccess VarnoVMSetNewContext(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* entry, RTBool trap);
// Runs the contexts until one ends the run; the result is the interpreter's (kRunStopped when the
// host callback or an empty context list ends it). A context chosen while it still sleeps (every
// context sleeps) counts as a slice that yielded at once.
uint32_t VarnoVMRun(RTVarnoVM* vm);
// Runs the code stream in the current context, whose code and state come back afterwards; fails
// when the interpreter reports an error.
RTSuccess VarnoVMExecuteStream(RTVarnoVM* vm, RTInstance stream);
// Runs a method on the object synchronously; with `trap` until that method returns.
RTSuccess RunMethod(RTVarnoVM* vm, RTVarnoSymbol* object, RTVarnoMethod* method, RTBool trap);
RTSuccess RunMethodByName(RTVarnoVM* vm, RTVarnoSymbol* object, const char16_t* name, RTBool trap);
// The two steps of RunMethodByName: the method of that name on the object's class or an ancestor
// (null after the report), and its run (a failure reported with the class and method names).
RTVarnoMethod* MethodToRun(RTVarnoSymbol* object, const char16_t* name);
RTSuccess RunFoundMethod(RTVarnoVM* vm, RTVarnoSymbol* object, RTVarnoMethod* method, RTBool trap);
// A script object (constructed when the VM has a context) or a value symbol of the type index.
RTSuccess ConstructScriptObject(RTVarnoVM* vm, uint32_t typeIndex, RTVarnoSymbol** out);

RTSuccess VMGetContextCount(RTVarnoVM* vm, uint32_t* count);
// Removes every context but the first of the list, each with its object's queued events; a context
// that runs goes when the interpreter has returned.
RTSuccess VMStopAllButFirstContext(RTVarnoVM* vm);
// Empties the event queues and listener lists of every singleton object of the table.
RTSuccess TypeTableResetSingletonEvents(RTVarnoTypeTable* table);

// The function (without arguments) that the snapshot reader calls while it loads; one for the
// component.
using VarnoLoadingCallback = void (*)();
RTSuccess SetLoadingCallback(VarnoLoadingCallback callback);
VarnoLoadingCallback LoadingCallback();
RTSuccess VarnoVMGetState(RTVarnoVM* vm, uint8_t* state);

// Contexts of the list.
RTSuccess LinkContext(RTVarnoVM* vm, RTVarnoContext* context);
// Removes the object's context: 2 when it was the current one (then destroyed once the running
// interpreter has returned), 1 for another, 0 when the object has none.
uint32_t UnlinkObjectContext(RTVarnoVM* vm, RTVarnoSymbol* object);
// Destroys every context of the list; one that the interpreter is running goes when it has
// returned.
RTSuccess RemoveAllContexts(RTVarnoVM* vm);
// Destroys a context stopped while it ran.
void DestroyRetiredContext(RTVarnoVM* vm);
// Stores seconds x 1000, truncated toward zero, as the sleep counter.
RTSuccess SetContextSleep(RTVarnoContext* context, float seconds);
// One scheduler step: 0 when the run should end.
uint32_t ScheduleNextContext(RTVarnoVM* vm);

// Patches a break opcode over the instruction at `offset` of the method's code and records it; an
// offset that already holds a break is left alone. `base` is the offset of the code literal that
// holds the instruction (0 for the method's own code).
RTSuccess VmSetBreakpoint(RTVarnoVM* vm, RTVarnoMethod* method, uint32_t offset, uint32_t base = 0);
// The breakpoint of the method at the position of its own code, or (nested) of one of its code
// literals, or null.
Breakpoint* VmFindBreakpoint(RTVarnoVM* vm, const RTVarnoMethod* method, uint32_t position, bool nested);
// Writes the instruction back over the breakpoint's break and forgets the breakpoint.
void VmRemoveBreakpoint(RTVarnoVM* vm, Breakpoint* breakpoint);
// The breakpoint to re-arm after the next instruction, with the code and offset it goes back into
// (a reference to the code is kept); null clears it.
void VmSetPendingBreakpoint(RTVarnoVM* vm, Breakpoint* breakpoint, RTInstance code, uint32_t offset);

// The instance "Root:Varno-Code" under which code values get their streams (made on first use).
RTInstance CodeParentInstance();
// The component's shutdown for the VM side: the collector with every symbol left.
void VarnoVmShutdown();

}  // namespace varno
