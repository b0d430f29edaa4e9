#include "error_log.h"

#include <cstdio>
#include <string>

#include "clock.h"
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

// The root path is read into a buffer of this many units; the registry query gets the same
// number as its byte size, which bounds the root at 127 units.
constexpr uint32_t kRootPathUnits = 256;

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
  if (text) platform::DebugOutput(text);
  return kRTSuccess;
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
  char16_t root[kRootPathUnits];
  if (!GetRootPath(nullptr, root, kRootPathUnits)) return kRTFailure;
  const std::u16string logPath = std::u16string(root) + u"kivo-error-log.txt";
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
