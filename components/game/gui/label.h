// TeskLabel: a line or block of text in its colour, optionally centred and on a solid background;
// it never answers a press.
#pragma once

#include "widget.h"

namespace tesk::game::gui {

class TeskLabel : public TeskIWidget {
 public:
  TeskLabel();

  void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) override;
  // The base block, then u32 0x600, the text, the background flag and the background colour.
  RTSuccess StreamOut(RTInstance stream) const override;
  // Blocks before 0x600 hold the text alone; a newer block is refused.
  RTSuccess StreamIn(RTInstance stream) override;

  RTSuccess SetText(const char16_t* text) { return text_.Set(text); }
  const char16_t* GetText() const { return text_.Get(); }
  void SetCentred(uint32_t centred) { centred_ = centred; }
  uint32_t IsCentred() const { return centred_; }
  void SetHidden(uint32_t hidden) { hidden_ = hidden; }
  uint32_t IsHidden() const { return hidden_; }
  void SetTextColour(const Colour& colour) { textColour_ = colour; }
  // Whether the whole rectangle is first filled, and in what.
  void SetBackground(uint32_t shown, const Colour& colour) {
    background_ = shown;
    backgroundColour_ = colour;
  }
  uint32_t HasBackground() const { return background_; }
  const Colour& GetBackgroundColour() const { return backgroundColour_; }
  // The height becomes the text's, wrapped at the width less 10, plus 24.
  void FitHeightToText();

 private:
  OwnedText text_{u"Label"};
  uint32_t centred_ = 0;
  uint32_t hidden_ = 0;
  Colour textColour_ = {1.0f, 1.0f, 1.0f, 1.0f};
  uint32_t background_ = 0;
  Colour backgroundColour_ = {0.0f, 0.0f, 0.0f, 1.0f};
};

}  // namespace tesk::game::gui
