// The program's reports: the core's error report (RaiseError), made only once the core has
// started, and the program's message boxes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "kivo/support/format.h"
#include "kivo/support/raise.h"

namespace tesk {

// The title of the program's own message boxes (the application title).
inline constexpr char16_t kApplicationTitle[] = u"Tesk -- The Game";

// RaiseError through the program's core table; nothing before the core has started.
void Raise(std::u16string_view text, uint32_t level = kivo::kLevelError);

// Formats into at most 512 units and raises the text at level 5.
template <class... Args>
void ReportError(std::u16string_view format, const Args&... args) {
  std::u16string text = kivo::Format(format, args...);
  if (text.size() > 511) text.resize(511);
  Raise(text);
}

// A message box titled with the application title.
void ShowMessage(std::u16string_view text);

}  // namespace tesk
