#include "percent_bar.h"

#include "draw_primitives.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/numeric.h"
#include "kivo/support/stream_values.h"
#include "stream_fields.h"
#include "widget_text.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

constexpr uint32_t kPercentBarVersion = 0x505;
constexpr uint32_t kVerticalVersion = 0x505;  // the vertical flag from here on
constexpr uint32_t kFull = 100;
constexpr float kPerPercent = 0.01f;

}  // namespace

TeskPercentBar::TeskPercentBar() : TeskIWidget(kWidgetPercentBar) {
  SetWidth(100);
  SetHeight(32);
}

void TeskPercentBar::SetPercent(int32_t percent) {
  const auto taken = static_cast<uint32_t>(percent);
  percent_ = taken > kFull ? kFull : taken;
}

void TeskPercentBar::Draw(int32_t originX, int32_t originY, RTInstance rasterizer) {
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  const int32_t w = GetWidth();
  const int32_t h = GetHeight();
  DrawSolidQuad(rasterizer, x, y, w, h, background_);
  DrawRectOutline(rasterizer, x, y, w, h, kTextWhite);
  const float share = kPerPercent * static_cast<float>(percent_);
  if (vertical_) {
    const float fill = share * static_cast<float>(PixelSub(h, 2));
    const int32_t top = kivo::FloatToInt<int32_t>(static_cast<float>(PixelAdd(y, h)) - fill - 1.0f);
    DrawSolidQuad(rasterizer, PixelAdd(x, 1), top, PixelSub(w, 2), kivo::FloatToInt<int32_t>(fill), bar_);
  } else {
    const float fill = share * static_cast<float>(PixelSub(w, 2));
    DrawSolidQuad(rasterizer, PixelAdd(x, 1), PixelAdd(y, 1), kivo::FloatToInt<int32_t>(fill), PixelSub(h, 2), bar_);
  }
  r::EnableDepthTest(rasterizer, 0);
}

const char16_t* TeskPercentBar::Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t) {
  if (IsInactive()) return nullptr;
  return PointInside(pointX, pointY, PixelAdd(GetX(), originX), PixelAdd(GetY(), originY), GetWidth(), GetHeight())
             ? GetName()
             : nullptr;
}

RTSuccess TeskPercentBar::StreamOut(RTInstance stream) const {
  return TeskIWidget::StreamOut(stream) && kivo::StreamWriteUInt(stream, kPercentBarVersion) &&
                 kivo::StreamWriteUInt(stream, percent_) && kivo::StreamWriteColor(stream, background_) &&
                 kivo::StreamWriteColor(stream, bar_) && kivo::StreamWriteByte(stream, vertical_ ? 1 : 0)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess TeskPercentBar::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  uint32_t percent = 0;
  if (!TeskIWidget::StreamIn(stream) ||
      !ReadClassVersion(stream, kPercentBarVersion, u"TeskPercentBar::StreamIn() -- Version is newer than reader",
                        &version) ||
      !kivo::StreamReadUInt(stream, &percent) || !ReadColour(stream, &background_) || !ReadColour(stream, &bar_))
    return kRTFailure;
  SetPercent(static_cast<int32_t>(percent));
  return version >= kVerticalVersion ? kivo::StreamReadByte(stream, &vertical_) : kRTSuccess;
}

}  // namespace tesk::game::gui
