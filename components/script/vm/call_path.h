// The steps of a script method's call and return that every call takes, inline: the caller's
// return point, a kept frame block made the callee's frame, the arguments bound, and the frame
// emptied and kept again when the call returns. The general functions of call frames and of the
// frame pool are these steps.
#pragma once

#include <cstdint>

#include "compiler/type_codes.h"
#include "kivo/support/module_core.h"
#include "vm/call_frame.h"
#include "vm/context.h"
#include "vm/decoded_code.h"
#include "vm/table_variables.h"
#include "vm/vm_plans.h"

namespace varno {

// Blocks kept per context at most: a deep recursion that has unwound gives the rest back.
inline constexpr uint32_t kKeptFramesPerContext = 64;

inline uint32_t FrameRoomClass(uint32_t room) { return room < kFrameRoomClasses - 1 ? room : kFrameRoomClasses - 1; }

// The caller frame resumes at the context's current code and position.
inline void SaveReturnPoint(RTVarnoContext* context, CallFrame* frame) {
  if (frame->returnStream != context->code) {
    if (context->code) kivo::ModuleCore()->ResolveHandle(nullptr, context->code);
    if (frame->returnStream) kivo::ModuleCore()->ReleaseInstance(nullptr, frame->returnStream);
    frame->returnStream = context->code;
  }
  if (frame->returnCode != context->decoded) {
    ReleaseDecodedCode(frame->returnCode);
    frame->returnCode = HoldDecodedCode(context->decoded);
  }
  frame->returnPosition = context->position;
}

// Locals read from a snapshot (a table of named entries) go: their variables are destroyed.
void DropNamedLocals(CallFrame* frame);

// Lets go of everything a frame holds (its variables, arguments and return stream); the block
// stays, its locals still laid out.
inline void EmptyFrame(CallFrame* frame) {
  if (frame->locals == &frame->localTable) {
    AttributeTableEmptySlots(frame->locals);
  } else if (frame->locals) {
    DropNamedLocals(frame);
  }
  frame->locals = nullptr;
  if (frame->returnStream) kivo::ModuleCore()->ReleaseInstance(nullptr, frame->returnStream);
  frame->returnStream = nullptr;
  ReleaseDecodedCode(frame->returnCode);
  frame->returnCode = nullptr;
  for (uint32_t i = 0; i <= frame->argumentTop && i < kArgumentStackSize; ++i) {
    StackElementRelease(&frame->arguments[i]);
  }
  frame->argumentTop = 0;
}

// Makes a frame of a block with room enough the frame of a call of the method (laid out by its
// plan) on the object; a block kept from a call of a method of the same layout has its slots and
// variables laid out already.
inline RTSuccess PrepareFrame(CallFrame* frame, const VmPlan* plan, RTVarnoMethod* method, RTVarnoSymbol* object) {
  AttributeLayout* layout = plan->layout;
  if (layout->count > frame->room) return kRTFailure;
  frame->object = object;
  frame->method = method;
  AttributeTable* locals = &frame->localTable;
  const bool kept = locals->layout == layout;
  if (!kept) {
    AttributeTableClear(locals);
    AttributeTableLayOut(locals, layout, frame + 1);
    locals->frameLocals = 1;
  }
  frame->locals = locals;
  for (uint32_t i = 0; i < layout->count; ++i) {
    RTVarnoType* type = layout->slots[i].type;
    if (type->index < kFirstClassType) {
      if (!(kept ? SymbolRenewVariable(locals, i) : SymbolMakeVariable(locals, i, type))) {
        EmptyFrame(frame);
        return kRTFailure;
      }
    } else {
      // A class-typed local waits for its object.
      locals->slots[i].entry.symbol = nullptr;
      locals->slots[i].entry.bound = 0;
    }
  }
  return kRTSuccess;
}

// A kept block with room for `slots` out of the pool; null when there is none.
inline CallFrame* TakeKeptFrame(FramePool& pool, uint32_t slots) {
  for (CallFrame** link = &pool.free[FrameRoomClass(slots)]; *link; link = &(*link)->below) {
    CallFrame* frame = *link;
    if (frame->room < slots) continue;
    *link = frame->below;
    frame->below = nullptr;
    --pool.count;
    return frame;
  }
  return nullptr;
}

// Empties a frame that has left its context's stack and keeps its block, or frees it when the pool
// is full.
inline void KeepFrame(FramePool& pool, CallFrame* frame) {
  if (pool.count >= kKeptFramesPerContext) {
    DestroyCallFrame(frame);
    return;
  }
  EmptyFrame(frame);
  // Only what a kept block's next user reads is reset.
  frame->fileName = nullptr;
  frame->object = nullptr;
  frame->returnPosition = 0;
  frame->frameWord = 0;
  frame->lineTable = nullptr;
  frame->method = nullptr;
  frame->balanceMark = 0;
  frame->startTicks = 0;
  CallFrame*& head = pool.free[FrameRoomClass(frame->room)];
  frame->below = head;
  head = frame;
  ++pool.count;
}

// Pops the top frame; its block is kept for the next call or freed.
inline RTSuccess PopCallFrame(RTVarnoContext* context) {
  CallFrame* frame = context ? context->topFrame : nullptr;
  if (!frame) return kRTFailure;
  context->topFrame = frame->below;
  --context->frameCount;
  KeepFrame(context->framePool, frame);
  return kRTSuccess;
}

// A frame for a call of the method (with its plan) on the object: a kept block made ready, or a
// new block.
inline RTSuccess AcquirePlannedFrame(RTVarnoContext* context, const VmPlan* plan, RTVarnoMethod* method,
                                     RTVarnoSymbol* object, CallFrame** out) {
  *out = TakeKeptFrame(context->framePool, plan->layout->count);
  if (!*out && !(*out = AllocateCallFrame(plan->layout->count))) return kRTFailure;
  if (PrepareFrame(*out, plan, method, object)) return kRTSuccess;
  KeepFrame(context->framePool, *out);
  *out = nullptr;
  return kRTFailure;
}

// Binds the caller's arguments to the parameters of a frame laid out by the method's plan (the
// argument pushed last to the first parameter); false when the general binding must run instead.
inline bool BindPlannedArguments(const VmPlan* plan, CallFrame* caller, CallFrame* callee, bool* bound) {
  if (!plan->parametersSlotted || callee->locals != &callee->localTable || callee->locals->layout != plan->layout ||
      plan->parameterCount != caller->argumentTop) {
    return false;
  }
  *bound = true;
  const RTVarnoStackElement* argument = &caller->arguments[caller->argumentTop];
  for (uint32_t i = 0; i < plan->parameterCount; ++i, --argument) {
    AttributeSlot& place = callee->locals->slots[plan->parameterSlots[i]];
    const uint32_t type = plan->parameterTypes[i];
    // A number for a number parameter's own variable: the common case.
    if (argument->tag == kTagNumber && type == kTypeNumber && place.entry.symbol == &place.variable) {
      place.variable.value.value.number = argument->value.number;
    } else if (!BindArgument(&place.entry, type, *argument)) {
      *bound = false;
      return true;
    }
  }
  return true;
}

// The planned binding of a call's arguments where it applies (a method with parameters, not a
// state): true then, `bound` telling whether they bound.
inline bool BindPlannedCall(const VmPlan* plan, const RTVarnoMethod* method, CallFrame* caller, CallFrame* callee,
                            bool* bound) {
  return plan && method->parameters && method->kind != kMethodState &&
         BindPlannedArguments(plan, caller, callee, bound);
}

// Pops n arguments, releasing what they own.
inline RTSuccess PopArguments(CallFrame* frame, uint32_t n) {
  if (n > frame->argumentTop) return ArgPopN(frame, n);
  for (; n; --n) StackElementRelease(&frame->arguments[frame->argumentTop--]);
  return kRTSuccess;
}

}  // namespace varno
