// Names that the system compares ignoring case (registry keys and values, path segments, folder
// listings): only the ASCII letters 'A'-'Z' fold, every other byte compares as it is.
#pragma once

#include <algorithm>
#include <string_view>

namespace platform {

inline char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Negative, 0 or positive, as the byte-wise order of the two names with ASCII letters lowered.
inline int CompareIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(LowerAscii(a[i]));
    const auto y = static_cast<unsigned char>(LowerAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareIgnoringAsciiCase(a, b) == 0;
}

}  // namespace platform
