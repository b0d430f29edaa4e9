#include "classfile/class_file_stream.h"

#include "kivo/slots.h"
#include "kivo/support/module_core.h"
#include "kivo/support/stream_calls.h"

namespace varno {

RTSuccess OpenClassFileStream(const char16_t* file, uint32_t mode, kivo::InstanceRef* out) {
  if (!out || !file) return kRTFailure;
  if (!kivo::ModuleCore()->CreateInstanceByString(nullptr, u"RTBrellinFileStream", out->out(), 0, 0) || !out->get()) {
    out->Reset();
    return kRTFailure;
  }
  return kivo::file_stream::Open(out->get(), file, mode);
}

RTSuccess CloseClassFileStream(RTInstance stream) {
  return kivo::CallMethod(stream, kivo::file_stream::kLevel, kivo::file_stream::kClose);
}

}  // namespace varno
