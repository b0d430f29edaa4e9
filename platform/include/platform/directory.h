// Folder listings, sorted so that results do not depend on the file system.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace platform {

struct DirectoryEntry {
  std::string name;
  bool isDirectory;  // a real folder; a symbolic link to a folder is neither folder nor file
  bool isFile;
};

// The entries of `folder` (without "." and ".."), sorted by name ignoring ASCII case; empty when
// the folder cannot be read.
std::vector<DirectoryEntry> ListDirectory(const std::filesystem::path& folder);

}  // namespace platform
