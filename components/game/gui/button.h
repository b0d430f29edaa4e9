// TeskButton: a framed button with its caption centred on it. It answers a press inside it (edges
// included) with its name unless it is inactive; a hidden button is not drawn but still answers.
#pragma once

#include "widget.h"

namespace tesk::game::gui {

class TeskButton : public TeskIWidget {
 public:
  TeskButton();

  void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) override;
  const char16_t* Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t buttons) override;
  // The base block, then u32 0x500 and the caption.
  RTSuccess StreamOut(RTInstance stream) const override;
  RTSuccess StreamIn(RTInstance stream) override;

  RTSuccess SetCaption(const char16_t* caption) { return caption_.Set(caption); }
  const char16_t* GetCaption() const { return caption_.Get(); }
  // Highlighted: filled in the highlight colour (menu hover, option toggles).
  void SetHighlighted(uint32_t highlighted) { highlighted_ = highlighted; }
  uint32_t IsHighlighted() const { return highlighted_; }
  // Dimmed (greyed): the frame's sprites drawn half grey and half transparent.
  void SetDimmed(uint32_t dimmed) { dimmed_ = dimmed; }
  uint32_t IsDimmed() const { return dimmed_; }
  void SetHidden(uint32_t hidden) { hidden_ = hidden; }
  uint32_t IsHidden() const { return hidden_; }

 private:
  OwnedText caption_{u"Button"};
  uint32_t highlighted_ = 0;
  Colour fill_;
  uint32_t dimmed_ = 0;
  Colour highlight_;  // fill + 0.75 x fill, from the constructor's fill
  uint32_t hidden_ = 0;
};

}  // namespace tesk::game::gui
