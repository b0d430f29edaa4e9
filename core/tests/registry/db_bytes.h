// Builds kivoreg.db contents for the tests: u32 count, then per entry the class name and the
// module path, each as a u32 unit count and the UTF-16 units with a zero unit, little-endian.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/utf.h"

namespace regtest {

inline void AppendU32(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>(value >> shift & 0xFF);
}

inline void AppendText(std::string& out, std::u16string_view text) {
  AppendU32(out, static_cast<uint32_t>(text.size()));
  for (char16_t unit : text) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }
  out += std::string(2, '\0');
}

struct DbEntry {
  std::u16string className;
  std::string modulePath;  // UTF-8
};

inline std::string DbBytes(const std::vector<DbEntry>& entries) {
  std::string out;
  AppendU32(out, static_cast<uint32_t>(entries.size()));
  for (const DbEntry& entry : entries) {
    AppendText(out, entry.className);
    AppendText(out, platform::FromUtf8(entry.modulePath));
  }
  return out;
}

}  // namespace regtest
