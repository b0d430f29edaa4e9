#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/utf.h"

namespace platform {

std::filesystem::path InstanceLockFile(std::u16string_view name) {
  std::string file;
  for (const char c : ToUtf8(name)) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
    file += plain ? c : '_';
  }
  file += ".lock";
  std::filesystem::path folder;
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
    folder = runtime;
  } else {
    std::error_code error;
    folder = std::filesystem::temp_directory_path(error);
    if (error) folder = "/tmp";
  }
  return folder / file;
}

bool CheckSecondInstance(std::u16string_view name) {
  const int fd = open(InstanceLockFile(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return true;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return true;
  }
  // The descriptor stays open, and the lock held, for the life of the process.
  return false;
}

}  // namespace platform
