#include "kivo/support/stream_calls.h"

#include "kivo/core_table.h"
#include "kivo/slots.h"
#include "kivo/support/module_core.h"

namespace kivo::stream {

RTSuccess Close(RTInstance s) { return CallMethod(s, kLevel, kClose); }

RTSuccess Write(RTInstance s, const void* data, uint32_t count, uint32_t* written) {
  return CallMethod(s, kLevel, kWrite, data, count, written);
}

RTSuccess WriteFromStream(RTInstance s, RTInstance source, uint32_t count, uint32_t* copied) {
  return CallMethod(s, kLevel, kWriteFromStream, source, count, copied);
}

RTSuccess Read(RTInstance s, void* data, uint32_t count, uint32_t* read) {
  return CallMethod(s, kLevel, kRead, data, count, read);
}

RTSuccess Seek(RTInstance s, uint32_t position) { return CallMethod(s, kLevel, kSeek, position); }

RTSuccess GetPosition(RTInstance s, uint32_t* position) { return CallMethod(s, kLevel, kGetPosition, position); }

RTSuccess GetSize(RTInstance s, uint32_t* size) { return CallMethod(s, kLevel, kGetSize, size); }

RTSuccess Flush(RTInstance s) { return CallMethod(s, kLevel, kFlush); }

RTSuccess Remaining(RTInstance s, uint32_t* bytes) {
  uint32_t position = 0;
  uint32_t size = 0;
  if (!GetPosition(s, &position) || !GetSize(s, &size) || position > size) return kRTFailure;
  *bytes = size - position;
  return kRTSuccess;
}

}  // namespace kivo::stream

namespace kivo::memory_stream {

RTSuccess Open(RTInstance s, uint32_t mode) { return CallMethod(s, kLevel, kOpen, mode); }

RTSuccess GetBuffer(RTInstance s, const uint8_t** data) { return CallMethod(s, kLevel, kGetBuffer, data); }

RTSuccess ReadPointer(RTInstance s, uint32_t count, const uint8_t** data) {
  return CallMethod(s, kLevel, kReadPointer, count, data);
}

RTSuccess Create(RTInstance* out) {
  CoreTable* core = ModuleCore();
  if (!core->CreateInstanceByString(nullptr, u"RTMemoryStream", out, 0, 0)) return kRTFailure;
  if (Open(*out, kReadWrite)) return kRTSuccess;
  core->ReleaseInstance(nullptr, *out);
  *out = nullptr;
  return kRTFailure;
}

RTSuccess CreateWith(const void* data, uint32_t count, RTInstance* out) {
  if (!Create(out)) return kRTFailure;
  uint32_t written = 0;
  if (stream::Write(*out, data, count, &written) && written == count && stream::Seek(*out, 0)) return kRTSuccess;
  ModuleCore()->ReleaseInstance(nullptr, *out);
  *out = nullptr;
  return kRTFailure;
}

}  // namespace kivo::memory_stream

namespace kivo::file_stream {

RTSuccess Open(RTInstance s, const char16_t* path, uint32_t mode) { return CallMethod(s, kLevel, kOpen, path, mode); }

}  // namespace kivo::file_stream
