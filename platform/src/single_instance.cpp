#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/debug_output.h"
#include "platform/utf.h"

namespace platform {

std::vector<std::filesystem::path> InstanceLockFiles(std::u16string_view name) {
  std::string file;
  for (const char c : ToUtf8(name)) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
    file += plain ? c : '_';
  }
  file += ".lock";
  std::vector<std::filesystem::path> files;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
    files.push_back(std::filesystem::path(runtime) / file);
  std::error_code error;
  const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
  if (!error) files.push_back(temporary / file);
  return files;
}

bool CheckSecondInstance(std::u16string_view name) {
  std::string tried;
  for (const std::filesystem::path& lockFile : InstanceLockFiles(name)) {
    const int fd = open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
      tried += (tried.empty() ? "" : ", ") + lockFile.string();
      continue;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const bool held = errno == EWOULDBLOCK;
      close(fd);
      if (held) return true;
      tried += (tried.empty() ? "" : ", ") + lockFile.string();
      continue;
    }
    // The descriptor stays open, and the lock held, for the life of the process.
    return false;
  }
  DebugOutput(FromUtf8("No single-instance lock file can be made (tried: " + (tried.empty() ? "no folder" : tried) +
                       "): running without the single-instance guard"));
  return false;
}

}  // namespace platform
