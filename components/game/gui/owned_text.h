// A UTF-16 text a widget owns: a core array block of length + 1 units. A null text is kept as an
// empty one, so the getter never hands out null.
#pragma once

#include "kivo/types.h"

namespace tesk::game::gui {

class OwnedText {
 public:
  explicit OwnedText(const char16_t* text = nullptr) { Set(text); }
  ~OwnedText();
  OwnedText(const OwnedText&) = delete;
  OwnedText& operator=(const OwnedText&) = delete;

  // Replaces the text with a copy (null copies as ""); failure, with the old text kept, when
  // memory runs out.
  RTSuccess Set(const char16_t* text);
  const char16_t* Get() const { return text_ ? text_ : u""; }

 private:
  char16_t* text_ = nullptr;
};

}  // namespace tesk::game::gui
