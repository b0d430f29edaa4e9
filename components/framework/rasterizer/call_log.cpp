#include "call_log.h"

#include <cstdio>
#include <cstdlib>

namespace rasterizer {

CallLog::CallLog() {
  if (const char* file = std::getenv("TESK_RASTERIZER_RECORD"); file && *file) file_ = file;
}

void CallLog::Record(const std::string& call, uint32_t result) const {
  if (file_.empty()) return;
  if (FILE* out = std::fopen(file_.c_str(), "a")) {
    std::fprintf(out, "%s -> %u\n", call.c_str(), result);
    std::fclose(out);
  }
}

}  // namespace rasterizer
