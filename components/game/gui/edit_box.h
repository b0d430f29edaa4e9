// TeskEditBox: a one-line text field (the save-game name) that takes the keyboard focus. Typed
// units are appended up to the maximum length and backspace removes the last; while focused a
// caret blinks after the text with a 500 ms half-period of the core clock.
#pragma once

#include <cstdint>

#include "widget.h"

namespace tesk::game::gui {

class TeskEditBox : public TeskIWidget {
 public:
  TeskEditBox();

  void FocusGained() override { focused_ = 1; }
  void FocusLost() override { focused_ = 0; }
  TeskIWidget* HitTest(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY) override;
  void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) override;
  // Unit 8 removes the last unit; any other is appended while the text is shorter than the maximum.
  void CharEvent(char16_t unit) override;
  // The base block, then u32 0x505, the text and the maximum length.
  RTSuccess StreamOut(RTInstance stream) const override;
  // Blocks before 0x505 keep the maximum length as it was.
  RTSuccess StreamIn(RTInstance stream) override;

  RTSuccess SetText(const char16_t* text) { return text_.Set(text); }
  const char16_t* GetText() const { return text_.Get(); }
  void SetMaxLength(uint32_t length) { maxLength_ = length; }
  uint32_t GetMaxLength() const { return maxLength_; }
  uint32_t IsFocused() const { return focused_; }
  uint32_t IsCaretShown() const { return caretShown_; }

 private:
  OwnedText text_{u"EditBox text"};
  uint32_t blinkTime_;
  uint32_t caretShown_ = 0;
  uint32_t focused_ = 0;
  uint32_t maxLength_ = 255;
};

}  // namespace tesk::game::gui
