#include "platform/debug_output.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/utf.h"

namespace platform {

namespace {

// The log file stays open between calls; it is reopened when $TESK_DEBUG_LOG changes.
struct DebugLogFile {
  std::string path;
  FILE* file = nullptr;

  FILE* For(const char* wanted) {
    if (file && path == wanted) return file;
    if (file) fclose(file);
    path = wanted;
    file = fopen(wanted, "a");
    return file;
  }

  ~DebugLogFile() {
    if (file) fclose(file);
  }
};

DebugLogFile gLogFile;

}  // namespace

void DebugOutput(std::u16string_view text) {
  std::string line = ToUtf8(text);
  if (line.empty() || line.back() != '\n') line += '\n';
  const char* path = std::getenv("TESK_DEBUG_LOG");
  FILE* out = (path && *path) ? gLogFile.For(path) : nullptr;
  if (!out) out = stderr;
  fwrite(line.data(), 1, line.size(), out);
  fflush(out);
}

}  // namespace platform
