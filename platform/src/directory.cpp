#include "platform/directory.h"

#include <algorithm>
#include <system_error>

namespace platform {

namespace {

std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return text;
}

}  // namespace

std::vector<DirectoryEntry> ListDirectory(const std::filesystem::path& folder) {
  std::vector<DirectoryEntry> entries;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
    const bool link = item.is_symlink(error);
    entries.push_back({item.path().filename().string(), !link && item.is_directory(error),
                       item.is_regular_file(error)});
  }
  std::stable_sort(entries.begin(), entries.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
    const std::string x = LowerAscii(a.name);
    const std::string y = LowerAscii(b.name);
    return x != y ? x < y : a.name < b.name;
  });
  return entries;
}

}  // namespace platform
