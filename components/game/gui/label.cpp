#include "label.h"

#include "draw_primitives.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/stream_values.h"
#include "stream_fields.h"
#include "widget_text.h"

namespace tesk::game::gui {

namespace {

constexpr uint32_t kLabelVersion = 0x600;
constexpr uint32_t kBackgroundVersion = 0x600;
constexpr int32_t kInset = 5;
constexpr int32_t kCentringMargin = 10;
constexpr int32_t kFitMargin = 24;
constexpr int32_t kNoHeightLimit = 9999;

}  // namespace

TeskLabel::TeskLabel() : TeskIWidget(kWidgetLabel) {
  TeskIWidget::SetWidth(100);
  TeskIWidget::SetHeight(30);
}

void TeskLabel::Draw(int32_t originX, int32_t originY, RTInstance rasterizer) {
  if (hidden_) return;
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  const int32_t w = GetWidth();
  const int32_t h = GetHeight();
  if (background_) DrawSolidQuad(rasterizer, x, y, w, h, backgroundColour_);
  const RTInstance font = GetFont();
  const int64_t offset = centred_ ? (int64_t{w} - kCentringMargin - MeasureTextWidth(font, GetText())) / 2 : int64_t{0};
  SetTextBounds(font, PixelSub(w, kInset), PixelSub(h, kInset));
  DrawText(font, GetText(), static_cast<int32_t>(x + offset + kInset), PixelAdd(y, kInset), textColour_);
  kivo::rasterizer::EnableDepthTest(rasterizer, 0);
}

void TeskLabel::FitHeightToText() {
  const int32_t text = MeasureTextHeight(GetFont(), GetText(), PixelSub(GetWidth(), kCentringMargin), kNoHeightLimit);
  TeskIWidget::SetHeight(PixelAdd(text, kFitMargin));
}

RTSuccess TeskLabel::StreamOut(RTInstance stream) const {
  return TeskIWidget::StreamOut(stream) && kivo::StreamWriteUInt(stream, kLabelVersion) &&
                 kivo::StreamWriteWString(stream, GetText()) && kivo::StreamWriteByte(stream, background_) &&
                 kivo::StreamWriteColor(stream, backgroundColour_)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess TeskLabel::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  if (!TeskIWidget::StreamIn(stream) ||
      !ReadClassVersion(stream, kLabelVersion, u"TeskLabel::StreamIn() -- Version is newer than reader", &version) ||
      !ReadText(stream, &text_))
    return kRTFailure;
  if (version < kBackgroundVersion) return kRTSuccess;
  return kivo::StreamReadByte(stream, &background_) && ReadColour(stream, &backgroundColour_) ? kRTSuccess : kRTFailure;
}

}  // namespace tesk::game::gui
