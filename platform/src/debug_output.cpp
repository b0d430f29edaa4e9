#include "platform/debug_output.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/utf.h"

namespace platform {

namespace {

constexpr char kLogVariable[] = "TESK_DEBUG_LOG";

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
DebugOutputListener gListener;

// Empties the file, making its folder; false when it cannot be written.
bool StartAfresh(const std::filesystem::path& file) {
  std::error_code error;
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
  FILE* made = fopen(file.c_str(), "w");
  if (!made) return false;
  fclose(made);
  return true;
}

}  // namespace

void DebugOutput(std::u16string_view text) {
  if (gListener) gListener(text);
  std::string line = ToUtf8(text);
  if (line.empty() || line.back() != '\n') line += '\n';
  const char* path = std::getenv(kLogVariable);
  FILE* out = (path && *path) ? gLogFile.For(path) : nullptr;
  if (!out) {
    // What the program printed so far comes first when both streams go to one place.
    fflush(stdout);
    out = stderr;
  }
  fwrite(line.data(), 1, line.size(), out);
  fflush(out);
}

void SetDebugOutputListener(DebugOutputListener listener) { gListener = std::move(listener); }

std::filesystem::path RouteDebugOutput(bool toStandardError, const std::filesystem::path& ownLog) {
  if (!toStandardError) {
    if (const char* named = std::getenv(kLogVariable); named && *named) return named;
    if (StartAfresh(ownLog)) {
      setenv(kLogVariable, ownLog.c_str(), 1);
      return ownLog;
    }
  }
  unsetenv(kLogVariable);
  return {};
}

std::filesystem::path UserStateFile(std::string_view name) {
  std::filesystem::path state;
  if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && *xdg) {
    state = xdg;
  } else {
    const char* home = std::getenv("HOME");
    state = std::filesystem::path(home ? home : ".") / ".local" / "state";
  }
  return state / "tesk" / name;
}

}  // namespace platform
