// TeskColorBox: an 18 x 18 colour swatch under a frame sprite of "CHARACTER_A", which glows when
// the box is selected. It answers a press inside it (edges included) with its name.
#pragma once

#include "widget.h"

namespace tesk::game::gui {

class TeskColorBox : public TeskIWidget {
 public:
  TeskColorBox();

  void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) override;
  const char16_t* Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t buttons) override;
  // The base block, then u32 0x500 and the swatch colour; the selection and tint are not streamed.
  RTSuccess StreamOut(RTInstance stream) const override;
  RTSuccess StreamIn(RTInstance stream) override;

  void SetColor(const Colour& colour) { colour_ = colour; }
  const Colour& GetColor() const { return colour_; }
  void SetSelected(uint32_t selected) { selected_ = selected; }
  uint32_t IsSelected() const { return selected_; }

 private:
  Colour colour_ = {1.0f, 1.0f, 1.0f, 1.0f};
  uint32_t selected_ = 0;
  Colour tint_ = {1.0f, 1.0f, 1.0f, 1.0f};  // the frame sprite's colour
};

}  // namespace tesk::game::gui
