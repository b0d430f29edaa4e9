#include "platform/directory.h"

#include <algorithm>
#include <system_error>

#include "platform/ascii_case.h"

namespace platform {

std::vector<DirectoryEntry> ListDirectory(const std::filesystem::path& folder) {
  std::vector<DirectoryEntry> entries;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
    const bool link = item.is_symlink(error);
    entries.push_back({item.path().filename().string(), !link && item.is_directory(error),
                       item.is_regular_file(error)});
  }
  std::stable_sort(entries.begin(), entries.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
    const int order = CompareIgnoringAsciiCase(a.name, b.name);
    return order != 0 ? order < 0 : a.name < b.name;
  });
  return entries;
}

}  // namespace platform
