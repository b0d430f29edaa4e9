#include "platform/registry.h"

#include <cstdlib>
#include <fstream>

#include "platform/utf.h"

namespace platform {

namespace {

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

std::string_view WithoutTrailingBackslashes(std::string_view s) {
  while (!s.empty() && s.back() == '\\') s.remove_suffix(1);
  return s;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
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
  std::ifstream file(RegistryFilePath());
  if (!file) return RegistryResult::kKeyMissing;
  const std::string wantedKey = ToUtf8(keyPath);
  const std::string wantedName = ToUtf8(name);
  bool keyFound = false;
  bool inKey = false;
  std::string line;
  while (std::getline(file, line)) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';' || text.front() == '#') continue;
    if (text.front() == '[') {
      if (text.back() != ']') continue;
      inKey = EqualIgnoringAsciiCase(WithoutTrailingBackslashes(Trim(text.substr(1, text.size() - 2))),
                                     WithoutTrailingBackslashes(wantedKey));
      keyFound |= inKey;
      continue;
    }
    const auto equals = text.find('=');
    if (!inKey || equals == std::string_view::npos) continue;
    if (!EqualIgnoringAsciiCase(Trim(text.substr(0, equals)), wantedName)) continue;
    std::u16string found = FromUtf8(Unquoted(Trim(text.substr(equals + 1))));
    if ((found.size() + 1) * sizeof(char16_t) > byteSize) return RegistryResult::kTooLong;
    value = std::move(found);
    return RegistryResult::kOk;
  }
  return keyFound ? RegistryResult::kValueMissing : RegistryResult::kKeyMissing;
}

}  // namespace platform
