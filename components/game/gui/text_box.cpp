#include "text_box.h"

#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/stream_values.h"
#include "stream_fields.h"
#include "widget_text.h"

namespace tesk::game::gui {

namespace {

constexpr uint32_t kTextBoxVersion = 0x500;
constexpr int32_t kInset = 5;
constexpr int32_t kBottomMargin = 19;  // the text stops this far short of the height

}  // namespace

void TeskTextBox::Draw(int32_t originX, int32_t originY, RTInstance rasterizer) {
  const RTInstance font = GetFont();
  SetTextBounds(font, PixelSub(GetWidth(), kInset), PixelSub(GetHeight(), kBottomMargin));
  DrawText(font, GetText(), PixelAdd(PixelAdd(GetX(), originX), kInset), PixelAdd(PixelAdd(GetY(), originY), kInset),
           kTextWhite);
  kivo::rasterizer::EnableDepthTest(rasterizer, 0);
}

RTSuccess TeskTextBox::StreamOut(RTInstance stream) const {
  return TeskIWidget::StreamOut(stream) && kivo::StreamWriteUInt(stream, kTextBoxVersion) &&
                 kivo::StreamWriteWString(stream, GetText())
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess TeskTextBox::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  return TeskIWidget::StreamIn(stream) &&
                 ReadClassVersion(stream, kTextBoxVersion, u"TeskTextBox::StreamIn() -- Version is newer than reader",
                                  &version) &&
                 ReadText(stream, &text_)
             ? kRTSuccess
             : kRTFailure;
}

}  // namespace tesk::game::gui
