#include "vm/frame_pool.h"

#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "kivo/support/module_core.h"
#include "vm/attribute_table.h"
#include "vm/call_frame.h"
#include "vm/collector.h"
#include "vm/context.h"
#include "vm/symbol.h"
#include "vm/tagged_value.h"
#include "vm/vm.h"

namespace varno {

namespace {

constexpr uint32_t kKeptFramesPerContext = 32;

bool ClassTyped(const AttributeEntry* entry) { return entry->type && entry->type->index >= kFirstClassType; }

// A frame keeps its shape while every variable entry still holds its own variable (`copylisten`
// can make one refer to an object instead).
bool Keepable(const RTVarnoContext* context, const CallFrame* frame) {
  if (ComponentFlags().generalPathOnly) return false;
  if (!frame->methodSerial || !frame->locals || context->pooledCount >= kKeptFramesPerContext) return false;
  bool intact = true;
  AttributeForEach(frame->locals, [&](const AttributeEntry* entry) {
    if (!ClassTyped(entry) && (!entry->symbol || entry->symbol->typeIndex >= kFirstClassType)) intact = false;
  });
  return intact;
}

// Lets go of everything the finished call left in the frame.
void Empty(CallFrame* frame) {
  if (frame->returnStream) kivo::ModuleCore()->ReleaseInstance(nullptr, frame->returnStream);
  frame->returnStream = nullptr;
  for (uint32_t i = 0; i <= frame->argumentTop && i < kArgumentStackSize; ++i) StackElementRelease(&frame->arguments[i]);
  frame->argumentTop = 0;
  for (uint32_t i = 0; i < frame->declaredCount; ++i) {
    RTVarnoSymbol* variable = frame->declared[i];
    if (!variable) continue;
    variable->value.type = variable->typeIndex;
    TaggedValueRelease(&variable->value);
    CollectorRemoveSymbol(variable);
  }
  AttributeForEach(frame->locals, [](AttributeEntry* entry) {
    if (!ClassTyped(entry)) return;
    entry->symbol = nullptr;
    entry->bound = 0;
  });
  frame->fileName = nullptr;
  frame->object = nullptr;
  frame->returnPosition = 0;
  frame->frameWord = 0;
  frame->lineTable = nullptr;
  frame->balanceMark = 0;
  frame->startTicks = 0;
}

// The variables get their first values and rejoin the collector's list.
bool Renew(CallFrame* frame) {
  for (uint32_t i = 0; i < frame->declaredCount; ++i) {
    RTVarnoSymbol* variable = frame->declared[i];
    if (variable && (!SymbolRenewValue(variable) || !CollectorAddSymbol(variable))) return false;
  }
  return true;
}

}  // namespace

RTSuccess AcquireCallFrame(RTVarnoVM* vm, RTVarnoContext* context, RTVarnoMethod* method, RTVarnoSymbol* object,
                           CallFrame** out) {
  for (CallFrame** link = &context->pooledFrames; method && *link;) {
    CallFrame* frame = *link;
    if (frame->method != method) {
      link = &frame->nextPooled;
      continue;
    }
    *link = frame->nextPooled;
    --context->pooledCount;
    frame->nextPooled = nullptr;
    // A record made since at the place of a method that is gone is not that method.
    if (frame->methodSerial != method->serial) {
      DestroyCallFrame(frame);
      continue;
    }
    if (!Renew(frame)) {
      DestroyCallFrame(frame);
      return kRTFailure;
    }
    frame->object = object;
    *out = frame;
    return kRTSuccess;
  }
  return CreateCallFrame(vm, method, object, out);
}

void ReleaseCallFrame(RTVarnoContext* context, CallFrame* frame) {
  if (!frame) return;
  if (!context || !Keepable(context, frame)) {
    DestroyCallFrame(frame);
    return;
  }
  Empty(frame);
  frame->nextPooled = context->pooledFrames;
  context->pooledFrames = frame;
  ++context->pooledCount;
}

void EmptyFramePool(RTVarnoContext* context) {
  while (CallFrame* frame = context->pooledFrames) {
    context->pooledFrames = frame->nextPooled;
    DestroyCallFrame(frame);
  }
  context->pooledCount = 0;
}

}  // namespace varno
