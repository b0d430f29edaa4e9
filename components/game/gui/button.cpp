#include "button.h"

#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/stream_values.h"
#include "skin_frames.h"
#include "stream_fields.h"
#include "widget_text.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

constexpr uint32_t kButtonVersion = 0x500;
constexpr int32_t kCaptionRaise = 7;  // the caption's top sits this far above the middle
constexpr float kHighlightGain = 0.75f;

Colour Brighter(const Colour& fill) {
  return {fill.r + kHighlightGain * fill.r, fill.g + kHighlightGain * fill.g, fill.b + kHighlightGain * fill.b, fill.a};
}

}  // namespace

TeskButton::TeskButton()
    : TeskIWidget(kWidgetButton),
      fill_{7.0f / 255.0f, 25.0f / 255.0f, 51.0f / 255.0f, 1.0f},
      highlight_(Brighter(fill_)) {
  SetWidth(60);
  SetHeight(30);
}

void TeskButton::Draw(int32_t originX, int32_t originY, RTInstance rasterizer) {
  if (hidden_) return;
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  const int32_t w = GetWidth();
  const int32_t h = GetHeight();
  const float shade = dimmed_ ? 0.5f : 1.0f;
  r::SetColorRGBA(rasterizer, shade, shade, shade, shade);
  DrawButtonFrame(rasterizer, x, y, w, h, highlighted_ ? highlight_ : fill_);
  const RTInstance font = GetFont();
  const int32_t captionWidth = MeasureTextWidth(font, GetCaption());
  // Halves truncate toward zero, the caption's width downwards.
  const int32_t left = w / 2 - (captionWidth >> 1);
  const int32_t top = h / 2 - kCaptionRaise;
  SetTextBounds(font, w, h);
  DrawText(font, GetCaption(), PixelAdd(x, left), PixelAdd(y, top), kTextWhite);
  r::SetColorRGBA(rasterizer, 1.0f, 1.0f, 1.0f, 1.0f);
  r::EnableDepthTest(rasterizer, 0);
}

const char16_t* TeskButton::Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t) {
  if (IsInactive()) return nullptr;
  return PointInside(pointX, pointY, PixelAdd(GetX(), originX), PixelAdd(GetY(), originY), GetWidth(), GetHeight())
             ? GetName()
             : nullptr;
}

RTSuccess TeskButton::StreamOut(RTInstance stream) const {
  return TeskIWidget::StreamOut(stream) && kivo::StreamWriteUInt(stream, kButtonVersion) &&
                 kivo::StreamWriteWString(stream, GetCaption())
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess TeskButton::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  return TeskIWidget::StreamIn(stream) &&
                 ReadClassVersion(stream, kButtonVersion, u"TeskButton::StreamIn() -- Version is newer than reader",
                                  &version) &&
                 ReadText(stream, &caption_)
             ? kRTSuccess
             : kRTFailure;
}

}  // namespace tesk::game::gui
