#include "platform/ini_file.h"

#include <charconv>
#include <fstream>

#include "platform/ascii_case.h"

namespace platform {

namespace {

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

bool IsSectionHeader(std::string_view line) {
  const std::string_view text = Trim(line);
  return text.size() >= 2 && text.front() == '[' && text.back() == ']';
}

std::string_view SectionName(std::string_view line) {
  const std::string_view text = Trim(line);
  return Trim(text.substr(1, text.size() - 2));
}

// One optional sign, then decimal digits, or hexadecimal ones after "$" or "0x". A decimal value
// must fit a signed 32-bit number, a hexadecimal one may also be an unsigned 32-bit pattern; a
// second sign, a value out of range or anything else is no number.
bool ParseInteger(std::string_view text, int32_t* value) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return false;
  // An unsigned reading takes no sign of its own.
  uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  const uint64_t limit = negative ? uint64_t{1} << 31 : (base == 16 ? uint64_t{UINT32_MAX} : uint64_t{INT32_MAX});
  if (magnitude > limit) return false;
  const auto bits = static_cast<uint32_t>(magnitude);
  *value = static_cast<int32_t>(negative ? 0u - bits : bits);
  return true;
}

}  // namespace

IniFile::IniFile(std::filesystem::path file) : file_(std::move(file)) {
  std::ifstream in(file_, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines_.push_back(line);
  }
}

long IniFile::FindSection(std::string_view section) const {
  for (size_t i = 0; i < lines_.size(); ++i)
    if (IsSectionHeader(lines_[i]) && EqualIgnoringAsciiCase(SectionName(lines_[i]), section)) return static_cast<long>(i);
  return -1;
}

long IniFile::FindKey(long sectionLine, std::string_view key) const {
  for (size_t i = static_cast<size_t>(sectionLine) + 1; i < lines_.size() && !IsSectionHeader(lines_[i]); ++i) {
    const std::string_view text = Trim(lines_[i]);
    if (text.empty() || text.front() == ';' || text.front() == '#') continue;
    const auto equals = text.find('=');
    if (equals != std::string_view::npos && EqualIgnoringAsciiCase(Trim(text.substr(0, equals)), key))
      return static_cast<long>(i);
  }
  return -1;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
  const long header = FindSection(section);
  const long line = header < 0 ? -1 : FindKey(header, key);
  if (line < 0) return std::nullopt;
  const std::string_view text = lines_[static_cast<size_t>(line)];
  return std::string(Trim(text.substr(text.find('=') + 1)));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  return Value(section, key).value_or(std::string(fallback));
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, int32_t fallback) const {
  const auto text = Value(section, key);
  int32_t value = 0;
  return text && ParseInteger(*text, &value) ? value : fallback;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  long header = FindSection(section);
  if (header < 0) {
    lines_.push_back("[" + std::string(section) + "]");
    header = static_cast<long>(lines_.size()) - 1;
  }
  if (const long line = FindKey(header, key); line >= 0) {
    std::string& text = lines_[static_cast<size_t>(line)];
    text = text.substr(0, text.find('=') + 1) + std::string(value);
    return;
  }
  // A new key goes after the section's last key, before the blank lines that end the section.
  size_t at = static_cast<size_t>(header) + 1;
  for (size_t i = at; i < lines_.size() && !IsSectionHeader(lines_[i]); ++i)
    if (!Trim(lines_[i]).empty()) at = i + 1;
  lines_.insert(lines_.begin() + static_cast<long>(at), std::string(key) + "=" + std::string(value));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

// Written beside the file and renamed over it, so a failed write leaves the old file as it was.
bool IniFile::UpdateFile() const {
  const std::filesystem::path partial = file_.string() + ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines_) out << line << '\n';
    out.flush();
    if (!out) return false;
  }
  std::error_code error;
  std::filesystem::rename(partial, file_, error);
  if (error) std::filesystem::remove(partial, error);
  return !error;
}

}  // namespace platform
