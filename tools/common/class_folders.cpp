#include "class_folders.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "platform/registry.h"
#include "platform/utf.h"
#include "tool_frame.h"

namespace tesk {

namespace {

constexpr size_t kVarnoPathsBytes = 2048;

void Add(std::vector<std::string>& folders, std::string_view folder) {
  std::string prefix(folder.empty() ? std::string_view("./") : folder);
  if (prefix.back() != '/') prefix += '/';
  if (std::find(folders.begin(), folders.end(), prefix) == folders.end()) folders.push_back(std::move(prefix));
}

std::vector<std::string> ClassFolders(const std::vector<std::string>& includes,
                                      const std::vector<std::string>& namedFiles) {
  std::vector<std::string> folders;
  for (const std::string& folder : includes) Add(folders, folder);
  for (const std::string& file : namedFiles) Add(folders, std::filesystem::path(file).parent_path().string());
  std::u16string paths;
  if (platform::ReadRegistryValue(platform::kGameKeyPath, u"Varno Paths", kVarnoPathsBytes, paths) ==
      platform::RegistryResult::kOk) {
    const std::string text = platform::ToUtf8(paths);
    for (size_t start = 0; start <= text.size();) {
      const size_t end = std::min(text.find(';', start), text.size());
      if (end > start) Add(folders, std::string_view(text).substr(start, end - start));
      start = end + 1;
    }
  }
  return folders;
}

}  // namespace

void AddClassFolders(const char* tool, const std::vector<std::string>& includes,
                     const std::vector<std::string>& namedFiles, const std::function<bool(const char16_t*)>& add) {
  for (const std::string& folder : ClassFolders(includes, namedFiles)) {
    if (!add(platform::FromUtf8(folder).c_str()))
      PrintError("%s: the class folder %s is left out (the compiler takes 16 at most)\n", tool, folder.c_str());
  }
}

}  // namespace tesk
