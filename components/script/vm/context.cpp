#include "vm/context.h"

#include "compiler/code_value.h"
#include "compiler/core_records.h"
#include "compiler/report.h"
#include "kivo/support/stream_calls.h"
#include "vm/call_frame.h"
#include "vm/call_path.h"
#include "vm/decoded_code.h"
#include "vm/frame_pool.h"
#include "vm/operand_stack.h"

namespace varno {

RTSuccess CreateContextRecord(RTVarnoContext** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  RTVarnoContext* context = NewRecord<RTVarnoContext>();
  if (!context) return kRTFailure;
  void* block = nullptr;
  // Only the elements up to the top are ever read: a push sets what its element's readers read.
  if (!kivo::ModuleCore()->ArrayAlloc(nullptr, sizeof(RTVarnoStackElement), kOperandStackSize, &block, 0)) {
    FreeRecord(context);
    return kRTFailure;
  }
  context->operands = static_cast<RTVarnoStackElement*>(block);
  context->operands[0] = RTVarnoStackElement{};
  context->operands[1] = RTVarnoStackElement{};
  context->operandCapacity = kOperandStackSize;
  context->operandTop = 1;  // the empty bottom element
  if (!kivo::StackCreate(&context->evalReturns) ||
      !kivo::StackCreate(&context->callKinds)) {
    DestroyContextRecord(context);
    return kRTFailure;
  }
  *out = context;
  return kRTSuccess;
}

RTSuccess DestroyContextRecord(RTVarnoContext* context) {
  if (!context) return kRTFailure;
  if (context->operands) {
    while (OperandPop(context)) {
    }
    kivo::ModuleCore()->ArrayFree(nullptr, context->operands);
  }
  if (context->callKinds) kivo::StackDestroy(context->callKinds);
  if (context->evalReturns) {
    void* record = nullptr;
    while (kivo::StackPop(context->evalReturns, &record)) EvalReturnFree(static_cast<EvalReturn*>(record));
    kivo::StackDestroy(context->evalReturns);
  }
  while (PopCallFrame(context)) {
  }
  EmptyFramePool(context);
  StackElementRelease(&context->element);
  ReleaseDecodedCode(context->decoded);
  if (context->code) kivo::ModuleCore()->ReleaseInstance(nullptr, context->code);
  FreeRecord(context);
  return kRTSuccess;
}

RTVarnoSymbol* CurrentObject(const RTVarnoContext* context) {
  const CallFrame* frame = TopFrame(context);
  return frame ? frame->object : (context ? context->object : nullptr);
}

bool RefuseDeepCall() {
  Raise(u"[VARNO VM] call stack too deep: a context holds at most %u call frames", kMaxCallDepth);
  return false;
}

namespace {

// Gives the interpreter its view of the decoding, which the context holds from now on.
RTSuccess View(RTVarnoContext* context, DecodedCode* decoded) {
  ReleaseDecodedCode(context->decoded);
  context->decoded = decoded;
  context->codeBytes = decoded ? decoded->bytes() : nullptr;
  context->codeSize = decoded ? decoded->size() : 0;
  return decoded ? kRTSuccess : kRTFailure;
}

bool Usable(DecodedCode* decoded, RTInstance stream) {
  return decoded && stream && decoded->stream() == stream && decoded->Current();
}

}  // namespace

RTSuccess RefreshContextCode(RTVarnoContext* context) {
  if (!context) return kRTFailure;
  if (Usable(context->decoded, context->code)) return kRTSuccess;
  return View(context, DecodeStream(context->code));
}

RTSuccess AdoptContextCode(RTVarnoContext* context, RTInstance stream, uint32_t position, DecodedCode* known) {
  if (!context) return kRTFailure;
  if (context->code) kivo::ModuleCore()->ReleaseInstance(nullptr, context->code);
  context->code = stream;
  context->position = position;
  if (Usable(known, stream)) return View(context, HoldDecodedCode(known));
  if (Usable(context->decoded, stream)) return kRTSuccess;
  return View(context, DecodeStream(stream));
}

RTSuccess SetContextCode(RTVarnoContext* context, RTInstance stream, uint32_t position, DecodedCode* known) {
  if (!context) return kRTFailure;
  if (stream && !kivo::ModuleCore()->ResolveHandle(nullptr, stream)) return kRTFailure;
  return AdoptContextCode(context, stream, position, known);
}

void SyncContextCodePosition(RTVarnoContext* context) {
  if (context && context->code && context->position <= context->codeSize) {
    kivo::stream::Seek(context->code, context->position);
  }
}

void EvalReturnFree(EvalReturn* record) {
  if (!record) return;
  ReleaseDecodedCode(record->decoded);
  if (record->stream) kivo::ModuleCore()->ReleaseInstance(nullptr, record->stream);
  if (record->code) CodeValueRelease(record->code);
  FreeRecord(record);
}

}  // namespace varno
