// The interpreter's general path: one instruction through its general handler, with the lookup by
// name, every check and every message, and the stops for break requests, single steps, tracing and
// breakpoints. The dispatch loop (vm/dispatch.cpp) sends an instruction here whenever its fast
// handler does not apply, and every instruction while its slow-path flag is set.
#pragma once

#include <cstdint>

namespace varno {

struct CallFrame;
struct RTVarnoContext;
struct RTVarnoMethod;
struct RTVarnoSymbol;
struct RTVarnoVM;

// What one instruction asks of the loop.
enum Step : int {
  kNext = -1,   // go on with the next instruction
  kError = -2,  // take the error exit
  // 0 .. 3: return that result (the state is set to idle first)
};

// One call of the interpreter.
struct Run {
  RTVarnoVM* vm;
  RTVarnoContext* context;
  uint32_t mode;
  CallFrame* waitFrame;  // kModeTrap: the frame whose return ends the run
  uint32_t lineFirst;    // kModeStepOver: the range of the current source line
  uint32_t lineLast;
};

// Runs the instruction at the context's position: kNext, or the interpreter's result (after the
// error exit for 0).
int GeneralStep(Run& run);

// Ends the call with the result: the context goes idle and its stream gets the position.
int Finish(Run& run, uint32_t result);
// Reports where the failing instruction at `position` stands, dumps the running state and gives 0.
uint32_t ErrorExit(Run& run, uint32_t position);

// Pushes a frame for the method on the object, binds its parameters from `caller`'s arguments and
// makes its code current: kNext or kError (reported).
int EnterMethod(Run& run, RTVarnoMethod* method, RTVarnoSymbol* object, CallFrame* caller);

}  // namespace varno
