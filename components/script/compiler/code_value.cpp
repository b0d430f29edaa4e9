#include "compiler/code_value.h"

#include "compiler/core_records.h"
#include "compiler/line_table.h"
#include "kivo/support/stream_calls.h"

namespace varno {

RTSuccess CodeValueFactory(VNcode** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  VNcode* code = NewRecord<VNcode>();
  if (!code) return kRTFailure;
  if (!kivo::memory_stream::Create(&code->stream)) {
    FreeRecord(code);
    return kRTFailure;
  }
  code->references = 1;
  *out = code;
  return kRTSuccess;
}

RTSuccess CodeValueReference(VNcode* code) {
  if (!code) return kRTFailure;
  ++code->references;
  return kRTSuccess;
}

RTSuccess CodeValueRelease(VNcode* code) {
  if (!code) return kRTFailure;
  if (code->references > 1) {
    --code->references;
    return kRTSuccess;
  }
  if (code->stream) kivo::ModuleCore()->ReleaseInstance(nullptr, code->stream);
  LineTableDestroy(code->lineTable);
  FreeRecord(code);
  return kRTSuccess;
}

}  // namespace varno
