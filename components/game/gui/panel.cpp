#include "panel.h"

#include "draw_primitives.h"
#include "gui_skin.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/stream_values.h"
#include "skin_frames.h"
#include "stream_fields.h"
#include "widget_text.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

constexpr uint32_t kPanelVersion = 0x605;
constexpr uint32_t kFrameStyleVersion = 0x600;
constexpr uint32_t kTitleTabVersion = 0x605;
constexpr int32_t kCaptionInset = 4;
constexpr int32_t kTitleFrameDrop = 9;  // the titled frame starts this far above the title's foot
constexpr int32_t kTitleCaptionTop = 8;

// The skin frame of the styles drawn with one.
bool SkinFrameOf(uint8_t style, FrameStyle* frame) {
  switch (style) {
    case kPanelTeal:
      *frame = FrameStyle::kTeal;
      return true;
    case kPanelNavy:
      *frame = FrameStyle::kNavy;
      return true;
    case kPanelSlate:
      *frame = FrameStyle::kSlate;
      return true;
    case kPanelThinTeal:
      *frame = FrameStyle::kThinTeal;
      return true;
    case kPanelList:
      *frame = FrameStyle::kList;
      return true;
    case kPanelBlack:
      *frame = FrameStyle::kBlack;
      return true;
    default:
      return false;
  }
}

}  // namespace

TeskPanel::TeskPanel() : TeskIWidget(kWidgetPanel), colour_{0.0f, 104.0f / 255.0f, 147.0f / 255.0f, 1.0f} {
  SetWidth(320);
  SetHeight(240);
}

TeskIWidget* TeskPanel::HitTest(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY) {
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  for (TeskIWidget* child : children_.Items())
    if (TeskIWidget* hit = child->HitTest(x, y, pointX, pointY)) return hit;
  return nullptr;
}

void TeskPanel::DrawFrameAndCaption(int32_t x, int32_t y, RTInstance rasterizer) const {
  const int32_t w = GetWidth();
  const int32_t h = GetHeight();
  const RTInstance font = GetFont();
  FrameStyle frame{};
  if (frameStyle_ == kPanelTitled) {
    // The tab is centred over the panel, wider than it or not.
    const int32_t title = CornerHeight(Pieces().titleTab);
    DrawSkinFrame(rasterizer, FrameStyle::kThinNavy, x, PixelAdd(y, title - kTitleFrameDrop), w, PixelSub(h, title));
    const int32_t tabX = static_cast<int32_t>(x + (int64_t{w} - titleTabWidth_) / 2);
    DrawTitleTab(rasterizer, tabX, y, titleTabWidth_);
    const int64_t captionLeft = (int64_t{titleTabWidth_} - MeasureTextWidth(font, GetCaption())) / 2;
    SetTextBounds(font, titleTabWidth_, 0);
    DrawText(font, GetCaption(), static_cast<int32_t>(tabX + captionLeft + kCaptionInset),
             PixelAdd(y, kTitleCaptionTop), kTextWhite);
  } else {
    if (SkinFrameOf(frameStyle_, &frame)) DrawSkinFrame(rasterizer, frame, x, y, w, h);
    if (frameStyle_ == kPanelSolid) DrawSolidQuad(rasterizer, x, y, w, h, colour_);
    SetTextBounds(font, w, 0);
    DrawText(font, GetCaption(), PixelAdd(x, kCaptionInset), PixelAdd(y, kCaptionInset), kTextWhite);
  }
  r::EnableDepthTest(rasterizer, 0);
}

void TeskPanel::Draw(int32_t originX, int32_t originY, RTInstance rasterizer) {
  if (!visible_) return;
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  DrawFrameAndCaption(x, y, rasterizer);
  if (callback_) callback_(callbackArgument_);
  children_.Draw(x, y, rasterizer);
  HandMouseStateToParent();
}

const char16_t* TeskPanel::Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t buttons) {
  if (!visible_ || IsInactive()) return nullptr;
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  for (TeskIWidget* child : children_.Items())
    if (const char16_t* handled = child->Mouse(x, y, pointX, pointY, buttons)) return handled;
  return nullptr;
}

RTSuccess TeskPanel::StreamOut(RTInstance stream) const {
  return TeskIWidget::StreamOut(stream) && kivo::StreamWriteUInt(stream, kPanelVersion) &&
                 kivo::StreamWriteWString(stream, GetCaption()) && children_.StreamOut(stream) &&
                 kivo::StreamWriteUInt(stream, frameStyle_) &&
                 kivo::StreamWriteUInt(stream, static_cast<uint32_t>(titleTabWidth_))
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess TeskPanel::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  if (!TeskIWidget::StreamIn(stream) ||
      !ReadClassVersion(stream, kPanelVersion, u"TeskPanel::StreamIn() -- Version is newer than reader", &version) ||
      !ReadText(stream, &caption_))
    return kRTFailure;
  const uint32_t before = children_.Count();
  if (!children_.StreamIn(stream, this)) return kRTFailure;
  uint32_t style = frameStyle_;
  uint32_t tabWidth = static_cast<uint32_t>(titleTabWidth_);
  if ((version >= kFrameStyleVersion && !kivo::StreamReadUInt(stream, &style)) ||
      (version >= kTitleTabVersion && !kivo::StreamReadUInt(stream, &tabWidth))) {
    children_.DestroyTreesFrom(before);
    return kRTFailure;
  }
  frameStyle_ = static_cast<uint8_t>(style);
  titleTabWidth_ = static_cast<int32_t>(tabWidth);
  return kRTSuccess;
}

}  // namespace tesk::game::gui
