// Messages of the compiler: formatted into at most 512 units (longer texts are cut, never
// overflowed) and raised with the core's error report at level 5 (notes at the note level).
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
void RaiseAt(uint32_t level, std::u16string_view format, const Args&... args) {
  char16_t text[kMessageUnits];
  kivo::FormatTo(text, kMessageUnits, format, args...);
  kivo::ModuleCore()->RaiseError(nullptr, text, level);
}

template <class... Args>
void Raise(std::u16string_view format, const Args&... args) {
  RaiseAt(kivo::kLevelError, format, args...);
}

// A note of what the compiler did (no error), at the note level.
template <class... Args>
void Note(std::u16string_view format, const Args&... args) {
  RaiseAt(kivo::kLevelNote, format, args...);
}

}  // namespace varno
