// A file in the INI form: "[Section]" lines and "Key=Value" lines. Sections and keys compare
// ignoring ASCII case; every line a writer does not change (comments, unknown sections and keys)
// is written back as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class IniFile {
 public:
  // Reads the file; a missing or unreadable file reads as empty.
  explicit IniFile(std::filesystem::path file);

  bool HasSection(std::string_view section) const { return FindSection(section) >= 0; }
  // The value (without surrounding blanks), when the key is present.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  // The value, or `fallback` when the key is absent.
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // A decimal or hexadecimal ("$1F", "0x1F") integer; `fallback` when absent or not a number.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const;
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int32_t value);
  // Writes the file (through a temporary file); false when it cannot be written.
  bool UpdateFile() const;

 private:
  // The line index of the key's line in the section, or of the section's header; -1 when absent.
  long FindSection(std::string_view section) const;
  long FindKey(long sectionLine, std::string_view key) const;

  std::filesystem::path file_;
  std::vector<std::string> lines_;
};

}  // namespace platform
