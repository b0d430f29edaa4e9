#include "vm/frame_pool.h"

#include <algorithm>

#include "compiler/core_records.h"
#include "vm/attribute_layout.h"
#include "vm/call_frame.h"
#include "vm/context.h"
#include "vm/vm.h"
#include "vm/vm_plans.h"

namespace varno {

namespace {

// Blocks kept per context at most: a deep recursion that has unwound gives the rest back.
constexpr uint32_t kKeptFramesPerContext = 64;

uint32_t RoomClass(uint32_t room) { return std::min(room, kFrameRoomClasses - 1); }

// A kept block with room for `slots`, taken from the pool; null when there is none.
CallFrame* TakeKept(FramePool& pool, uint32_t slots) {
  for (CallFrame** link = &pool.free[RoomClass(slots)]; *link; link = &(*link)->below) {
    CallFrame* frame = *link;
    if (frame->room < slots) continue;
    *link = frame->below;
    frame->below = nullptr;
    --pool.count;
    return frame;
  }
  return nullptr;
}

}  // namespace

RTSuccess AcquireCallFrame(RTVarnoVM* vm, RTVarnoContext* context, RTVarnoMethod* method, RTVarnoSymbol* object,
                           CallFrame** out) {
  *out = nullptr;
  const VmPlan* plan = method ? PlanOfMethod(vm->types, method) : nullptr;
  return plan ? AcquirePlannedFrame(context, plan, method, object, out) : kRTFailure;
}

RTSuccess AcquirePlannedFrame(RTVarnoContext* context, const VmPlan* plan, RTVarnoMethod* method,
                              RTVarnoSymbol* object, CallFrame** out) {
  *out = TakeKept(context->framePool, plan->layout->count);
  if (!*out && !(*out = AllocateCallFrame(plan->layout->count))) return kRTFailure;
  if (PrepareCallFrame(*out, plan, method, object)) return kRTSuccess;
  ReleaseCallFrame(context, *out);
  *out = nullptr;
  return kRTFailure;
}

void ReleaseCallFrame(RTVarnoContext* context, CallFrame* frame) {
  if (!frame) return;
  FramePool& pool = context->framePool;
  if (pool.count >= kKeptFramesPerContext) {
    DestroyCallFrame(frame);
    return;
  }
  EmptyCallFrame(frame);
  // Only what a kept block's next user reads is reset.
  frame->fileName = nullptr;
  frame->object = nullptr;
  frame->returnPosition = 0;
  frame->frameWord = 0;
  frame->lineTable = nullptr;
  frame->method = nullptr;
  frame->balanceMark = 0;
  frame->startTicks = 0;
  CallFrame*& head = pool.free[RoomClass(frame->room)];
  frame->below = head;
  head = frame;
  ++pool.count;
}

void EmptyFramePool(RTVarnoContext* context) {
  FramePool& pool = context->framePool;
  for (CallFrame*& head : pool.free) {
    while (CallFrame* frame = head) {
      head = frame->below;
      DestroyCallFrame(frame);
    }
  }
  pool.count = 0;
}

}  // namespace varno
