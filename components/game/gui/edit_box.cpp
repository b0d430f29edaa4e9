#include "edit_box.h"

#include <string>

#include "draw_primitives.h"
#include "gui_clock.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/stream_values.h"
#include "stream_fields.h"
#include "widget_text.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

constexpr uint32_t kEditBoxVersion = 0x505;
constexpr uint32_t kMaxLengthVersion = 0x505;  // the maximum length from here on
constexpr char16_t kBackspace = 8;
constexpr uint32_t kBlinkMilliseconds = 500;
constexpr uint32_t kLines = 261;  // a two-vertex line
constexpr Colour kField = {1.0f, 1.0f, 1.0f, 0.75f};
constexpr Colour kFocusedOutline = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr Colour kOutline = {0.5f, 0.5f, 0.5f, 1.0f};
constexpr Colour kInk = {0.2f, 0.2f, 0.2f, 1.0f};
constexpr int32_t kTextInset = 5;
constexpr int32_t kTextTop = 2;
constexpr int32_t kClipMargin = 14;
constexpr int32_t kCaretInset = 6;

}  // namespace

TeskEditBox::TeskEditBox() : TeskIWidget(kWidgetEditBox), blinkTime_(CoreMilliseconds()) {
  SetWidth(100);
  SetHeight(30);
}

TeskIWidget* TeskEditBox::HitTest(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY) {
  return PointInside(pointX, pointY, PixelAdd(GetX(), originX), PixelAdd(GetY(), originY), GetWidth(), GetHeight())
             ? this
             : nullptr;
}

void TeskEditBox::CharEvent(char16_t unit) {
  std::u16string text = text_.Get();
  if (unit == kBackspace) {
    if (text.empty()) return;
    text.pop_back();
  } else {
    if (text.size() >= maxLength_) return;
    text.push_back(unit);
  }
  text_.Set(text.c_str());
}

void TeskEditBox::Draw(int32_t originX, int32_t originY, RTInstance rasterizer) {
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  const int32_t w = GetWidth();
  const int32_t h = GetHeight();
  r::EnableBlending(rasterizer, 1);
  r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
  DrawSolidQuad(rasterizer, x, y, w, h, kField);
  r::EnableBlending(rasterizer, 0);
  DrawRectOutline(rasterizer, x, y, w, h, focused_ ? kFocusedOutline : kOutline);
  const RTInstance font = GetFont();
  SetTextBounds(font, PixelSub(w, kTextInset), PixelSub(h, kClipMargin));
  DrawText(font, text_.Get(), PixelAdd(x, kTextInset), PixelAdd(y, kTextTop), kInk);
  r::EnableDepthTest(rasterizer, 0);
  const uint32_t now = CoreMilliseconds();
  if (now - blinkTime_ > kBlinkMilliseconds) {
    blinkTime_ = now;
    caretShown_ = !caretShown_;
  }
  if (!caretShown_ || !focused_) return;
  const auto caretX = static_cast<float>(PixelAdd(PixelAdd(x, kCaretInset), MeasureTextWidth(font, text_.Get())));
  r::SetColor(rasterizer, 0.0f, 0.0f, 0.0f);
  r::BeginPrimitive(rasterizer, kLines);
  r::Vertex3(rasterizer, caretX, static_cast<float>(PixelAdd(y, 1)), 0.0f);
  r::Vertex3(rasterizer, caretX, static_cast<float>(PixelSub(PixelAdd(y, h), 2)), 0.0f);
  r::EndPrimitive(rasterizer);
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
}

RTSuccess TeskEditBox::StreamOut(RTInstance stream) const {
  return TeskIWidget::StreamOut(stream) && kivo::StreamWriteUInt(stream, kEditBoxVersion) &&
                 kivo::StreamWriteWString(stream, text_.Get()) && kivo::StreamWriteUInt(stream, maxLength_)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess TeskEditBox::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  if (!TeskIWidget::StreamIn(stream) ||
      !ReadClassVersion(stream, kEditBoxVersion, u"TeskEditBox::StreamIn() -- Version is newer than reader",
                        &version) ||
      !ReadText(stream, &text_))
    return kRTFailure;
  return version >= kMaxLengthVersion ? kivo::StreamReadUInt(stream, &maxLength_) : kRTSuccess;
}

}  // namespace tesk::game::gui
