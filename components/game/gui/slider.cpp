#include "slider.h"

#include <algorithm>

#include "draw_primitives.h"
#include "gui_skin.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/numeric.h"
#include "kivo/support/stream_values.h"
#include "stream_fields.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

constexpr uint32_t kSliderVersion = 0x500;
constexpr uint32_t kCharacterImage = 1;  // "CHARACTER_A"
constexpr int32_t kKnobRaise = 10;
constexpr int32_t kKnobWidth = 22;
constexpr int32_t kKnobHeight = 41;
constexpr int32_t kRightCapExtra = 2;

}  // namespace

TeskSlider::TeskSlider() : TeskIWidget(kWidgetSlider) {
  SetWidth(100);
  SetHeight(30);
}

void TeskSlider::SetStepCount(int32_t steps) {
  steps_ = std::max(steps, 1);
  position_ = std::min(position_, steps_ - 1);
}

void TeskSlider::SetPosition(int32_t position) { position_ = std::min(std::max(position, 0), steps_ - 1); }

void TeskSlider::MoveKnobTo(int32_t offset) {
  const int32_t perStep = GetWidth() / steps_;
  if (perStep != 0) SetPosition(offset / perStep);
}

TeskIWidget* TeskSlider::HitTest(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY) {
  return PointInside(pointX, pointY, PixelAdd(GetX(), originX), PixelAdd(GetY(), originY), GetWidth(), GetHeight())
             ? this
             : nullptr;
}

const char16_t* TeskSlider::Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t) {
  const int32_t left = PixelAdd(GetX(), originX);
  if (!PointInside(pointX, pointY, left, PixelAdd(GetY(), originY), GetWidth(), GetHeight())) return nullptr;
  MoveKnobTo(PixelSub(pointX, left));
  return GetName();
}

void TeskSlider::MouseMoveEvent(int32_t pointerX, int32_t, uint32_t buttons) {
  if (!buttons) return;
  MoveKnobTo(PixelSub(AbsoluteToLocalX(pointerX), GetX()));
}

void TeskSlider::Draw(int32_t originX, int32_t originY, RTInstance rasterizer) {
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  const SkinPieces& pieces = Pieces();
  const int8_t variant = GetSkinVariant();
  const int32_t cap = pieces.sliderTrack.width[variant];
  const int32_t trackHeight = pieces.sliderTrack.height[variant];
  const int32_t notch = pieces.sliderThumb.width[variant];
  const UvRect& track = Current(pieces.sliderThumb.second);
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
  r::BindTexture(rasterizer, ElementTexture());
  r::EnableTexturing(rasterizer, 1);
  r::EnableBlending(rasterizer, 1);
  r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
  int32_t pen = x;
  int32_t knob = x;
  DrawTexturedQuad(rasterizer, Current(pieces.sliderTrack.first), pen, y, cap, trackHeight);
  pen = PixelAdd(pen, cap);
  if (steps_ > 2) {
    const float wanted = static_cast<float>(PixelSub(GetWidth(), 2 * cap)) / static_cast<float>(steps_ - 2);
    const int32_t segment = kivo::FloatToInt<int32_t>(std::max(wanted, static_cast<float>(notch)));
    for (int32_t i = 1; i <= steps_ - 2; ++i) {
      DrawColumnStretchQuad(rasterizer, pen, y, segment, trackHeight, track.left, track.top, track.bottom);
      pen = PixelAdd(pen, segment);
      if (position_ == i) knob = pen;
      DrawTexturedQuad(rasterizer, Current(pieces.sliderThumb.first), pen, y, notch, trackHeight);
      pen = PixelAdd(pen, notch);
      DrawColumnStretchQuad(rasterizer, pen, y, segment, trackHeight, track.left, track.top, track.bottom);
      pen = PixelAdd(pen, segment);
    }
  }
  DrawTexturedQuad(rasterizer, Current(pieces.sliderTrack.second), pen, y, cap + kRightCapExtra, trackHeight);
  if (position_ == steps_ - 1) knob = pen;
  uint32_t sprite = 0;
  GetGuiImage(kCharacterImage, &sprite);
  r::BindTexture(rasterizer, sprite);
  DrawTexturedQuad(rasterizer, pieces.sliderKnob, knob, PixelSub(y, kKnobRaise), kKnobWidth, kKnobHeight);
  r::EnableTexturing(rasterizer, 0);
  r::EnableBlending(rasterizer, 0);
}

RTSuccess TeskSlider::StreamOut(RTInstance stream) const {
  return TeskIWidget::StreamOut(stream) && kivo::StreamWriteUInt(stream, kSliderVersion) &&
                 kivo::StreamWriteUInt(stream, static_cast<uint32_t>(steps_)) &&
                 kivo::StreamWriteUInt(stream, static_cast<uint32_t>(position_))
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess TeskSlider::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  uint32_t steps = 0;
  uint32_t position = 0;
  if (!TeskIWidget::StreamIn(stream) ||
      !ReadClassVersion(stream, kSliderVersion, u"TeskSlider::StreamIn() -- Version is newer than reader", &version) ||
      !kivo::StreamReadUInt(stream, &steps) || !kivo::StreamReadUInt(stream, &position))
    return kRTFailure;
  if (!RefuseAbove(steps, kMaxStreamedSteps, u"TeskSlider::StreamIn() -- Step count is out of range"))
    return kRTFailure;
  SetStepCount(static_cast<int32_t>(steps));
  SetPosition(static_cast<int32_t>(position));
  return kRTSuccess;
}

}  // namespace tesk::game::gui
