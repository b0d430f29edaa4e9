// TeskProgressBar: a row of pips (skill and experience points) that zigzag by 5 pixels and wrap
// into rows 29 pixels apart: those below the value bright, those below the upper mark lit, the
// rest of the capacity empty. It never answers a press.
#pragma once

#include <cstdint>

#include "widget.h"

namespace tesk::game::gui {

class TeskProgressBar : public TeskIWidget {
 public:
  // The most pips a stream may give a bar.
  static constexpr uint32_t kMaxStreamedCapacity = 1000;

  TeskProgressBar();

  void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) override;
  // The base block, then u32 0x500, the capacity and the upper mark (the value is not streamed).
  RTSuccess StreamOut(RTInstance stream) const override;
  // Both read through their setters; a capacity above kMaxStreamedCapacity is refused.
  RTSuccess StreamIn(RTInstance stream) override;

  // At least 0; an upper mark above it comes down to it (the value stays).
  void SetCapacity(int32_t capacity);
  int32_t GetCapacity() const { return capacity_; }
  // The upper mark, kept within 0 and the capacity.
  void SetMax(int32_t mark);
  int32_t GetMax() const { return mark_; }
  // Kept within 0 and the upper mark.
  void SetValue(int32_t value);
  int32_t GetValue() const { return value_; }

 private:
  int32_t capacity_ = 10;
  int32_t mark_ = 1;
  int32_t value_ = 0;
};

}  // namespace tesk::game::gui
