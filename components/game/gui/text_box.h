// TeskTextBox: a block of wrapped white text without a frame; it never answers a press.
#pragma once

#include "widget.h"

namespace tesk::game::gui {

class TeskTextBox : public TeskIWidget {
 public:
  TeskTextBox() : TeskIWidget(kWidgetTextBox) {}

  void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) override;
  // The base block, then u32 0x500 and the text.
  RTSuccess StreamOut(RTInstance stream) const override;
  RTSuccess StreamIn(RTInstance stream) override;

  RTSuccess SetText(const char16_t* text) { return text_.Set(text); }
  const char16_t* GetText() const { return text_.Get(); }

 private:
  OwnedText text_;
};

}  // namespace tesk::game::gui
