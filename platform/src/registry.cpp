#include "platform/registry.h"

#include <cstdlib>

#include "platform/ini_file.h"
#include "platform/utf.h"

namespace platform {

namespace {

std::string_view WithoutTrailingBackslashes(std::string_view s) {
  while (!s.empty() && s.back() == '\\') s.remove_suffix(1);
  return s;
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

std::filesystem::path RegistryFilePath() {
  if (const char* file = std::getenv("TESK_REGISTRY"); file && *file) return file;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    return std::filesystem::path(config) / "tesk" / "registry.ini";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home ? home : ".") / ".config" / "tesk" / "registry.ini";
}

RegistryResult ReadRegistryValue(std::u16string_view keyPath, std::u16string_view name, size_t byteSize,
                                 std::u16string& value) {
  const IniFile file(RegistryFilePath());
  const std::string key(WithoutTrailingBackslashes(ToUtf8(keyPath)));
  if (!file.HasSection(key)) return RegistryResult::kKeyMissing;
  const auto text = file.Value(key, ToUtf8(name));
  if (!text) return RegistryResult::kValueMissing;
  std::u16string found = FromUtf8(Unquoted(*text));
  if ((found.size() + 1) * sizeof(char16_t) > byteSize) return RegistryResult::kTooLong;
  value = std::move(found);
  return RegistryResult::kOk;
}

}  // namespace platform
