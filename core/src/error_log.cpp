#include "error_log.h"

#include <cstdio>
#include <string>

#include "classes.h"
#include "clock.h"
#include "instances.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "coreregistry/registry.h"
#include "kivo/support/format.h"
#include "kivo/support/stack.h"
#include "kivo/support/wide_string.h"
#include "memory_manager.h"
#include "platform/debug_output.h"
#include "platform/paths.h"

namespace kivo::core {

namespace {

FILE* gLog = nullptr;
// Queued error texts (core array blocks), newest on top.
Stack* gErrorQueue = nullptr;
RTInstance gDebugStream = nullptr;

}  // namespace

RTSuccess RaiseError(RTInstance, const char16_t* text, uint32_t) {
  if (!text) return kRTSuccess;
  const uint32_t time = CoreTimeMs();
  DebugPrint(nullptr, Format(u"[ERROR RAISED]: (%d) %s", time, text).c_str());
  if (gLog) {
    std::string narrow(WideStrLen(text) + 1, '\0');
    WideStrToNarrow(text, narrow.data());
    std::fprintf(gLog, "(%u) %s\n", time, narrow.c_str());
    std::fflush(gLog);
  }
  return kRTSuccess;
}

RTSuccess DebugPrint(RTInstance, const char16_t* text) {
  if (!text) return kRTSuccess;
  platform::DebugOutput(text);
  if (gDebugStream) StreamWriteWString(gDebugStream, text);
  return kRTSuccess;
}

RTSuccess SetDebugStream(RTInstance ctx, RTInstance s) {
  if (!IsKindOfByName(ctx, s, u"RTStream")) return kRTFailure;
  ReleaseDebugStream();
  gDebugStream = s;
  return kRTSuccess;
}

RTSuccess FlushDebugStream() {
  if (gDebugStream) stream::Flush(gDebugStream);
  return kRTSuccess;
}

RTSuccess CopyDebugStream(RTInstance, RTInstance destination) {
  if (!destination) return kRTFailure;
  if (!gDebugStream) return kRTSuccess;
  uint32_t size = 0;
  uint32_t copied = 0;
  return stream::Seek(gDebugStream, 0) && stream::GetSize(gDebugStream, &size) &&
                 stream::WriteFromStream(destination, gDebugStream, size, &copied) && copied == size
             ? kRTSuccess
             : kRTFailure;
}

void ReleaseDebugStream() {
  RTInstance s = gDebugStream;
  gDebugStream = nullptr;
  if (s) ReleaseInstance(nullptr, s);
}

RTSuccess GetNextError(RTInstance, char16_t* buffer, uint32_t length, uint32_t* out) {
  void* top = nullptr;
  if (buffer && StackPeek(gErrorQueue, &top)) {
    auto* text = static_cast<char16_t*>(top);
    if (WideStrCopyBounded(buffer, length, text)) {
      StackPop(gErrorQueue, &top);
      ArrayFree(nullptr, text);
      return kRTSuccess;
    }
  }
  if (buffer && length > 0) buffer[0] = 0;
  if (out) *out = 0;
  return kRTFailure;
}

RTSuccess StartupErrorLog() {
  if (!gErrorQueue && !StackCreate(&gErrorQueue)) return kRTFailure;
  const std::u16string root = RootPath();
  if (root.empty()) return kRTFailure;
  const std::u16string logPath = root + u"kivo-error-log.txt";
  gLog = std::fopen(platform::NativePath(logPath).c_str(), "w+");
  if (!gLog) return kRTFailure;
  std::fputs("Kivo Error Log\n--------------\n", gLog);
  std::fflush(gLog);
  return kRTSuccess;
}

void ShutdownErrorLog() {
  if (gErrorQueue) {
    void* text = nullptr;
    while (StackPop(gErrorQueue, &text)) ArrayFree(nullptr, text);
    StackDestroy(gErrorQueue);
    gErrorQueue = nullptr;
  }
  if (gLog) {
    std::fclose(gLog);
    gLog = nullptr;
  }
}

}  // namespace kivo::core
