// A fresh temporary directory per fixture, removed with everything in it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tesk::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& file);
// Writes the file, creating its folders.
void WriteFile(const std::filesystem::path& file, std::string_view contents);

}  // namespace tesk::testing
