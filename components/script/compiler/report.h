// Messages of the compiler: formatted into at most 512 units (longer texts are cut, never
// overflowed) and raised with the core's error report at level 5.
#pragma once

#include <cstddef>
#include <string_view>

#include "kivo/support/format.h"
#include "kivo/support/raise.h"

namespace varno {

inline constexpr size_t kMessageUnits = 512;
// Names and paths are built in buffers of this many units (with the terminator: 255 units of text).
inline constexpr size_t kNameUnits = 256;

template <class... Args>
void Raise(std::u16string_view format, const Args&... args) {
  char16_t text[kMessageUnits];
  kivo::FormatTo(text, kMessageUnits, format, args...);
  kivo::ModuleCore()->RaiseError(nullptr, text, kivo::kLevelError);
}

}  // namespace varno
