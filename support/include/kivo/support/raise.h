// Formatted error reports through the module's core table.
#pragma once

#include <cstdint>
#include <string>

#include "kivo/support/format.h"
#include "kivo/support/module_core.h"

namespace kivo {

// Message levels of the error log.
inline constexpr uint32_t kLevelNote = 1;  // what was done, no error: the tools show it only when asked
inline constexpr uint32_t kLevelError = 5;
inline constexpr uint32_t kLevelDispatch = 7;  // calls between instance spaces
inline constexpr uint32_t kLevelLocate = 8;
inline constexpr uint32_t kLevelCrash = 9;
inline constexpr uint32_t kLevelInstanceSpace = 64;

template <class... Args>
void RaiseFormatted(uint32_t level, std::u16string_view format, const Args&... args) {
  const std::u16string text = Format(format, args...);
  ModuleCore()->RaiseError(nullptr, text.c_str(), level);
}

}  // namespace kivo
