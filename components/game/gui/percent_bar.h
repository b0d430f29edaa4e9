// TeskPercentBar: a solid bar on its background inside a white outline, filled to a percentage
// from the left or, vertical, from the bottom. It answers a press inside it unless inactive.
#pragma once

#include <cstdint>

#include "widget.h"

namespace tesk::game::gui {

class TeskPercentBar : public TeskIWidget {
 public:
  TeskPercentBar();

  void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) override;
  const char16_t* Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t buttons) override;
  // The base block, then u32 0x505, the percent, the background and bar colours and the vertical
  // flag.
  RTSuccess StreamOut(RTInstance stream) const override;
  // The percent through its setter; blocks before 0x505 are horizontal.
  RTSuccess StreamIn(RTInstance stream) override;

  // Taken as unsigned: anything above 100, negative numbers included, becomes 100.
  void SetPercent(int32_t percent);
  uint32_t GetPercent() const { return percent_; }
  // The bar's fill colour.
  void SetColor(float red, float green, float blue) { bar_ = {red, green, blue, 1.0f}; }
  const Colour& GetColor() const { return bar_; }
  void SetBackgroundColor(const Colour& colour) { background_ = colour; }
  const Colour& GetBackgroundColor() const { return background_; }
  void SetVertical(uint32_t vertical) { vertical_ = vertical; }
  uint32_t IsVertical() const { return vertical_; }

 private:
  uint32_t percent_ = 0;
  Colour background_ = {0.0f, 0.0f, 0.0f, 1.0f};
  Colour bar_ = {0.0f, 1.0f, 0.0f, 1.0f};
  uint32_t vertical_ = 0;
};

}  // namespace tesk::game::gui
