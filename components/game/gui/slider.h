// TeskSlider: a notched track with a knob at one of a fixed number of positions (the option
// screens' volume and detail sliders). A press inside it (edges included) moves the knob to the
// point and takes the focus; while the button is held the knob follows the pointer's moves.
#pragma once

#include <cstdint>

#include "widget.h"

namespace tesk::game::gui {

class TeskSlider : public TeskIWidget {
 public:
  // The most positions a stream may give a slider.
  static constexpr uint32_t kMaxStreamedSteps = 1000;

  TeskSlider();

  TeskIWidget* HitTest(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY) override;
  void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) override;
  const char16_t* Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t buttons) override;
  // With a button held, the knob goes to the pointer's x (absolute).
  void MouseMoveEvent(int32_t pointerX, int32_t pointerY, uint32_t buttons) override;
  // The base block, then u32 0x500, the step count and the position.
  RTSuccess StreamOut(RTInstance stream) const override;
  // Both read through their setters; a step count above kMaxStreamedSteps is refused.
  RTSuccess StreamIn(RTInstance stream) override;

  // At least 1; the position comes down into the new range.
  void SetStepCount(int32_t steps);
  int32_t GetStepCount() const { return steps_; }
  // Kept within 0 and the step count - 1.
  void SetPosition(int32_t position);
  int32_t GetPosition() const { return position_; }

 private:
  // The knob at the pixel `offset` from the slider's left edge; unchanged when a position is
  // less than a pixel wide.
  void MoveKnobTo(int32_t offset);

  int32_t steps_ = 4;
  int32_t position_ = 0;
};

}  // namespace tesk::game::gui
