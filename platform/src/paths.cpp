#include "platform/paths.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <system_error>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/utf.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

fs::path DriveRoot(char letter) {
  const char lower = LowerAscii(letter);
  std::string variable = "TESK_DRIVE_";
  variable += static_cast<char>(lower - 32);
  if (const char* mapped = std::getenv(variable.c_str()); mapped && *mapped) return mapped;
  fs::path data;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    data = xdg;
  } else {
    const char* home = std::getenv("HOME");
    data = fs::path(home ? home : ".") / ".local" / "share";
  }
  return data / "tesk" / std::string(1, lower);
}

// The entry of `folder` whose name equals `name` ignoring ASCII case; the first in sorted order
// when several do.
bool FindIgnoringCase(const fs::path& folder, const std::string& name, std::string& found) {
  std::error_code error;
  std::vector<std::string> matches;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    std::string candidate = entry.path().filename().string();
    if (EqualIgnoringAsciiCase(candidate, name)) matches.push_back(std::move(candidate));
  }
  if (matches.empty()) return false;
  found = *std::min_element(matches.begin(), matches.end());
  return true;
}

}  // namespace

fs::path NativePath(std::u16string_view systemPath) {
  std::string text = ToUtf8(systemPath);
  std::replace(text.begin(), text.end(), '\\', '/');

  fs::path base;
  std::string_view rest = text;
  const bool hasDrive = rest.size() >= 2 && rest[1] == ':' &&
                        ((rest[0] >= 'a' && rest[0] <= 'z') || (rest[0] >= 'A' && rest[0] <= 'Z'));
  if (hasDrive) {
    base = DriveRoot(rest[0]);
    rest.remove_prefix(2);
  } else if (!rest.empty() && rest.front() == '/') {
    base = "/";
  }
  const bool trailingSlash = !rest.empty() && rest.back() == '/';

  fs::path whole = base;
  std::vector<std::string> segments;
  size_t start = 0;
  while (start <= rest.size()) {
    const size_t end = std::min(rest.find('/', start), rest.size());
    if (end > start) segments.emplace_back(rest.substr(start, end - start));
    start = end + 1;
  }
  for (const auto& segment : segments) whole /= segment;

  std::error_code error;
  if (!fs::exists(whole, error)) {
    // Resolve segment by segment; once a folder is missing the rest stays as written.
    fs::path resolved = base;
    bool searching = true;
    for (const auto& segment : segments) {
      const fs::path folder = resolved.empty() ? fs::path(".") : resolved;
      std::string actual = segment;
      if (searching && !fs::exists(folder / segment, error)) searching = FindIgnoringCase(folder, segment, actual);
      resolved /= actual;
    }
    whole = resolved;
  }
  if (trailingSlash && !whole.empty()) whole /= "";
  return whole;
}

}  // namespace platform
