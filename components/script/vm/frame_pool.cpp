#include "vm/frame_pool.h"

#include "compiler/core_records.h"
#include "vm/attribute_layout.h"
#include "vm/call_frame.h"
#include "vm/call_path.h"
#include "vm/context.h"
#include "vm/vm.h"
#include "vm/vm_plans.h"

namespace varno {

RTSuccess AcquireCallFrame(RTVarnoVM* vm, RTVarnoContext* context, RTVarnoMethod* method, RTVarnoSymbol* object,
                           CallFrame** out) {
  *out = nullptr;
  const VmPlan* plan = method ? PlanOfMethod(vm->types, method) : nullptr;
  return plan ? AcquirePlannedFrame(context, plan, method, object, out) : kRTFailure;
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
