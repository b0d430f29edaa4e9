// Script contexts: one thread of script execution bound to one script object, with its operand
// stack, call frames, eval return points and call kinds.
#pragma once

#include <cstdint>

#include "kivo/support/stack.h"
#include "kivo/types.h"
#include "vm/call_frame.h"
#include "vm/frame_pool.h"
#include "vm/stack_element.h"

namespace varno {

struct CallFrame;
class DecodedCode;
struct LineTable;
struct RTVarnoMethod;
struct RTVarnoSymbol;
struct VNcode;

inline constexpr uint32_t kOperandStackSize = 4096;  // index 0 unused, index 1 the empty bottom
// The call frames one context may hold: a call beyond them is refused ("call stack too deep"), so a
// script that recurses without end stops with the error exit instead of exhausting the memory.
inline constexpr uint32_t kMaxCallDepth = 10000;

enum ContextState : uint8_t {
  kContextIdle = 2,
  kContextRunning = 3,
};

enum CallKind : uint32_t {
  kCallMethod = 0,
  kCallEval = 1,
};

// A running eval: where to resume when the evaluated code ends.
struct EvalReturn {
  RTInstance stream;     // the code to resume (one reference)
  uint32_t position;
  LineTable* lineTable;  // of the evaluated code (kept alive by `code`)
  VNcode* code;          // the code value being evaluated (one reference)
  DecodedCode* decoded;  // the decoding of `stream` (one holder), or null
};

struct RTVarnoContext {
  uint32_t word;                  // kept by snapshots
  RTVarnoStackElement element;    // kept by snapshots
  uint32_t savedPosition;         // where the context resumes (the scheduler's copy)
  RTInstance code;                // the code that runs (one reference)
  uint32_t operandCapacity;
  uint32_t operandTop;
  RTVarnoStackElement* operands;
  CallFrame* topFrame;            // the frames, top first (each links to the one below)
  uint32_t frameCount;
  kivo::Stack* evalReturns;       // EvalReturn
  kivo::Stack* callKinds;         // CallKind words
  uint8_t state;
  uint32_t inEvent;
  uint32_t inListener;
  RTVarnoSymbol* object;
  int32_t sleep;                  // milliseconds; 0 awake
  uint32_t linked;
  uint32_t deafened;
  RTVarnoSymbol* speaker;
  RTVarnoMethod* nativeMethod;    // the implemented method being called

  // The interpreter's view of `code`: its decoding (one holder), the decoding's bytes and size,
  // and the position of the next instruction.
  DecodedCode* decoded;
  const uint8_t* codeBytes;
  uint32_t codeSize;
  uint32_t position;

  // Blocks of returned calls' frames, kept for the next calls.
  FramePool framePool;
};

RTSuccess CreateContextRecord(RTVarnoContext** out);
RTSuccess DestroyContextRecord(RTVarnoContext* context);

inline CallFrame* TopFrame(const RTVarnoContext* context) { return context ? context->topFrame : nullptr; }
// The object the running method works on: the top frame's (the context's own without a frame).
RTVarnoSymbol* CurrentObject(const RTVarnoContext* context);
// Reports "call stack too deep"; false.
bool RefuseDeepCall();

// Pushes a frame; fails with the report "call stack too deep" when the context holds kMaxCallDepth.
inline RTSuccess PushCallFrame(RTVarnoContext* context, CallFrame* frame) {
  if (!context || !frame) return kRTFailure;
  if (context->frameCount >= kMaxCallDepth) return RefuseDeepCall();
  frame->below = context->topFrame;
  context->topFrame = frame;
  ++context->frameCount;
  return kRTSuccess;
}

inline uint32_t FrameCount(const RTVarnoContext* context) { return context ? context->frameCount : 0; }

inline RTSuccess PushCallKind(RTVarnoContext* context, CallKind kind) {
  return context ? kivo::StackPush(context->callKinds, reinterpret_cast<void*>(static_cast<uintptr_t>(kind)))
                 : kRTFailure;
}

// Fails on an empty stack.
inline RTSuccess PopCallKind(RTVarnoContext* context, CallKind* kind) {
  void* word = nullptr;
  if (!context || !kivo::StackPop(context->callKinds, &word)) return kRTFailure;
  if (kind) *kind = static_cast<CallKind>(reinterpret_cast<uintptr_t>(word));
  return kRTSuccess;
}

// The top kind, or failure when there is none.
inline RTSuccess PeekCallKind(const RTVarnoContext* context, CallKind* kind) {
  void* word = nullptr;
  if (!context || !kivo::StackPeek(context->callKinds, &word)) return kRTFailure;
  if (kind) *kind = static_cast<CallKind>(reinterpret_cast<uintptr_t>(word));
  return kRTSuccess;
}

// Makes `stream` the context's code at `position`: takes a reference to it, releases the one held
// before, and gives the interpreter its decoding (`known` when that is the stream's and current).
RTSuccess SetContextCode(RTVarnoContext* context, RTInstance stream, uint32_t position, DecodedCode* known = nullptr);
// The same, taking over a reference the caller holds.
RTSuccess AdoptContextCode(RTVarnoContext* context, RTInstance stream, uint32_t position,
                           DecodedCode* known = nullptr);
// Decodes the context's code again when a write has changed its bytes.
RTSuccess RefreshContextCode(RTVarnoContext* context);
// Writes the interpreter's position into the code stream.
void SyncContextCodePosition(RTVarnoContext* context);

// Frees an eval return record after releasing its stream and code value.
void EvalReturnFree(EvalReturn* record);

}  // namespace varno
