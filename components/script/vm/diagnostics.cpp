#include "vm/diagnostics.h"

#include <string>

#include "codegen/line_table_stream.h"
#include "compiler/report.h"
#include "compiler/type_codes.h"
#include "compiler/type_records.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"
#include "vm/attribute_table.h"
#include "vm/call_frame.h"
#include "vm/collector.h"
#include "vm/context.h"
#include "vm/symbol.h"
#include "vm/vm.h"

namespace varno {

namespace {

// A dumped call stack deeper than twice this shows this many frames at each end.
constexpr uint32_t kDumpFramesEachEnd = 16;
// The name shown for an object whose name was never assigned.
constexpr char16_t kNoName[] = u"(no name)";

const char16_t* TypeName(const RTVarnoSymbol* object) {
  return object && object->type && object->type->name ? object->type->name : u"";
}

const char16_t* MethodName(const RTVarnoMethod* method) {
  if (!method) return u"";
  return method->displayName ? method->displayName : (method->keyName ? method->keyName : u"");
}

RTSuccess FileLineFailure(char16_t* buffer, uint32_t size, int32_t* line) {
  if (line) *line = -1;
  if (buffer && size) buffer[0] = 0;
  return kRTFailure;
}

bool DumpContext(const RTVarnoContext* context, bool current) {
  const RTVarnoSymbol* object = context->object;
  const AttributeEntry* name = object ? AttributeFind(object->attributes, u"NAME") : nullptr;
  if (!name) return false;
  // A name never assigned (it holds the marker of no text) or empty is shown as "(no name)".
  const char16_t* text = name->symbol && name->symbol->typeIndex == kTypeString && name->symbol->value.value.text
                             ? name->symbol->value.value.text
                             : u"";
  if (!*text || kivo::WideStrEqualNoCase(text, kUnassignedString) == 0) text = kNoName;
  Raise(current ? u"Running Context's name: %s and type: %s" : u"Context's name: %s, and type: %s", text,
        TypeName(object));
  Raise(u"Number of events: %d, Deafened: %d", object->events ? object->events->count : 0, context->deafened);
  Raise(u"*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=*=");
  Raise(u"Call Stack:");
  if (const RTVarnoMethod* native = context->nativeMethod) {
    Raise(u"[C/C++ method] %s.%s.", native->bindClass ? native->bindClass : u"",
          native->bindMethod ? native->bindMethod : u"");
  }
  // A deep stack shows its top and bottom frames and counts the ones between.
  const uint32_t count = FrameCount(context);
  uint32_t index = 0;
  for (const CallFrame* frame = context->topFrame; frame; frame = frame->below) {
    const uint32_t fromBottom = count - 1 - index++;
    if (index > kDumpFramesEachEnd && fromBottom >= kDumpFramesEachEnd) {
      if (fromBottom == kDumpFramesEachEnd) Raise(u"... %u more call frames ...", count - 2 * kDumpFramesEachEnd);
      continue;
    }
    Raise(u"%s.%s. File: %s", TypeName(frame->object), MethodName(frame->method),
          frame->fileName ? frame->fileName : u"");
  }
  Raise(u" ");
  if (current) Raise(u" ");
  return true;
}

}  // namespace

RTSuccess VarnoVMGetCurrentFileLineInfo(RTVarnoVM* vm, char16_t* buffer, uint32_t size, int32_t* line) {
  RTVarnoContext* context = vm ? vm->current : nullptr;
  const CallFrame* frame = TopFrame(context);
  if (!frame) {
    Raise(u"[VARNO VM] Execute has no scope in which to execute!");
    return FileLineFailure(buffer, size, line);
  }
  uint32_t position = context->position;
  if (context->code) kivo::stream::GetPosition(context->code, &position);
  const LineTable* table = frame->lineTable;
  CallKind kind = kCallMethod;
  if (PeekCallKind(context, &kind) && kind == kCallEval) {
    void* record = nullptr;
    if (!kivo::StackPeek(context->evalReturns, &record) || !record) {
      Raise(u"[VARNO VM] Cannot access eval stack TOS?");
      return FileLineFailure(buffer, size, line);
    }
    table = static_cast<const EvalReturn*>(record)->lineTable;
  }
  const char16_t* file = frame->fileName ? frame->fileName : u"";
  if (!buffer || kivo::WideStrLen(file) >= size) {
    Raise(u"[VARNO VM] GetCurrentFileLineInfo() -- Buffer too small to stuff file information into");
    return FileLineFailure(buffer, size, line);
  }
  if (!table) {
    Raise(u"[VARNO VM] No debugging information available");
    return FileLineFailure(buffer, size, line);
  }
  uint32_t found = 0;
  if (!LineTableLineOfOffset(table, position, &found)) return FileLineFailure(buffer, size, line);
  kivo::WideStrCopy(buffer, file);
  if (line) *line = static_cast<int32_t>(found);
  return kRTSuccess;
}

RTSuccess VMDumpRunningState(RTVarnoVM* vm) {
  if (!vm) return kRTFailure;
  if (!CollectorIdle()) Raise(u"Currently in the middle of garbage collection!");
  uint32_t count = 0;
  VMGetContextCount(vm, &count);
  Raise(u"Running contexts: %d", count);
  char16_t file[384];
  int32_t line = -1;
  if (VarnoVMGetCurrentFileLineInfo(vm, file, 384, &line)) {
    Raise(u"Current file (%s), line (%d)", file, line);
  } else {
    Raise(u"Couldn't retrieve file/line info");
  }
  // The current context first, then the others of the list: each context once.
  if (vm->current && !DumpContext(vm->current, true)) return kRTFailure;
  for (const RTVarnoContext* context : kivo::ListItems<RTVarnoContext>(vm->contexts->contexts)) {
    if (context != vm->current && !DumpContext(context, false)) return kRTFailure;
  }
  return kRTSuccess;
}

RTSuccess VMDumpState(RTVarnoVM* vm, RTInstance stream) {
  if (!vm || !stream) return kRTFailure;
  uint32_t count = 0;
  VMGetContextCount(vm, &count);
  const std::u16string text = u"VARNO VM dump\n-------------\n\n" + kivo::Format(u"Running contexts: %d\n", count);
  uint32_t written = 0;
  return kivo::stream::Write(stream, text.data(), static_cast<uint32_t>(text.size() * sizeof(char16_t)), &written);
}

}  // namespace varno
