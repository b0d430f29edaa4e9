#include "progress_bar.h"

#include <algorithm>

#include "draw_primitives.h"
#include "gui_skin.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/stream_values.h"
#include "stream_fields.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

constexpr uint32_t kProgressBarVersion = 0x500;
constexpr uint32_t kCharacterImage = 1;  // "CHARACTER_A"
constexpr uint32_t kBlendOne = 1;
constexpr int32_t kPipInset = 8;
constexpr int32_t kPipStep = 17;
constexpr int32_t kPipSide = 21;
constexpr int32_t kRowStep = 29;
constexpr int32_t kSwing = 5;

// The pen over the pips: each moves it 17 pixels on, 5 up or down, and a full row wraps it.
class PipPen {
 public:
  PipPen(int32_t x, int32_t y, int32_t width)
      : left_(PixelAdd(x, kPipInset)), x_(left_), y_(PixelAdd(y, kPipInset)), originX_(x), width_(width) {}
  int32_t x() const { return x_; }
  int32_t y() const { return y_; }
  void Advance(int32_t pip) {
    const bool even = pip % 2 == 0;
    y_ = even ? PixelSub(y_, swing_) : PixelAdd(y_, swing_);
    x_ = PixelAdd(x_, kPipStep);
    if (int64_t{width_} >= int64_t{x_} + kPipStep - originX_) return;
    y_ = PixelAdd(y_, kRowStep);
    x_ = left_;
    if (even || swing_ < 0) swing_ = -swing_;
  }

 private:
  int32_t left_;
  int32_t x_;
  int32_t y_;
  int32_t originX_;
  int32_t width_;
  int32_t swing_ = kSwing;
};

}  // namespace

TeskProgressBar::TeskProgressBar() : TeskIWidget(kWidgetProgressBar) {
  SetWidth(100);
  SetHeight(29);
}

void TeskProgressBar::SetCapacity(int32_t capacity) {
  capacity_ = std::max(capacity, 0);
  mark_ = std::min(mark_, capacity_);
}

void TeskProgressBar::SetMax(int32_t mark) { mark_ = std::max(std::min(mark, capacity_), 0); }

void TeskProgressBar::SetValue(int32_t value) { value_ = std::max(std::min(value, mark_), 0); }

void TeskProgressBar::Draw(int32_t originX, int32_t originY, RTInstance rasterizer) {
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  uint32_t sprite = 0;
  GetGuiImage(kCharacterImage, &sprite);
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
  r::EnableTexturing(rasterizer, 1);
  r::BindTexture(rasterizer, sprite);
  r::EnableBlending(rasterizer, 1);
  r::SetBlendFunc(rasterizer, kBlendOne, kBlendOne);
  const UvRect& full = Pieces().progressBarPieceA;
  const UvRect& empty = Pieces().progressBarPieceB;
  PipPen pen(x, y, GetWidth());
  int32_t pip = 0;
  for (; pip < value_; pen.Advance(pip++)) {
    DrawTexturedQuad(rasterizer, full, pen.x(), pen.y(), kPipSide, kPipSide);
    DrawTexturedQuad(rasterizer, full, pen.x(), pen.y(), kPipSide, kPipSide);
  }
  r::EnableBlending(rasterizer, 1);
  r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
  for (; pip < mark_; pen.Advance(pip++)) DrawTexturedQuad(rasterizer, full, pen.x(), pen.y(), kPipSide, kPipSide);
  for (; pip < capacity_; pen.Advance(pip++)) DrawTexturedQuad(rasterizer, empty, pen.x(), pen.y(), kPipSide, kPipSide);
  r::EnableBlending(rasterizer, 0);
  r::EnableTexturing(rasterizer, 0);
}

RTSuccess TeskProgressBar::StreamOut(RTInstance stream) const {
  return TeskIWidget::StreamOut(stream) && kivo::StreamWriteUInt(stream, kProgressBarVersion) &&
                 kivo::StreamWriteUInt(stream, static_cast<uint32_t>(capacity_)) &&
                 kivo::StreamWriteUInt(stream, static_cast<uint32_t>(mark_))
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess TeskProgressBar::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  uint32_t capacity = 0;
  uint32_t mark = 0;
  if (!TeskIWidget::StreamIn(stream) ||
      !ReadClassVersion(stream, kProgressBarVersion, u"TeskProgressBar::StreamIn() -- Version is newer than reader",
                        &version) ||
      !kivo::StreamReadUInt(stream, &capacity) || !kivo::StreamReadUInt(stream, &mark))
    return kRTFailure;
  if (!RefuseAbove(capacity, kMaxStreamedCapacity, u"TeskProgressBar::StreamIn() -- Capacity is out of range"))
    return kRTFailure;
  SetCapacity(static_cast<int32_t>(capacity));
  SetMax(static_cast<int32_t>(mark));
  return kRTSuccess;
}

}  // namespace tesk::game::gui
