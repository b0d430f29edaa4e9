#include "form.h"

#include "draw_primitives.h"
#include "gui_skin.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/stream_values.h"
#include "skin_frames.h"
#include "stream_fields.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

constexpr uint32_t kFormVersion = 0x500;
constexpr uint32_t kOverlayForm = 2;  // the rasterizer's overlay mode around a form's drawing
constexpr uint32_t kOverlayOff = 0;
constexpr uint32_t kBlendOne = 1;  // GL_ONE: the x-ray overlay adds itself to the frame
constexpr UvRect kWholeImage = {0.0f, 0.0f, 1.0f, 1.0f};

}  // namespace

void TeskForm::Draw(int32_t originX, int32_t originY, RTInstance rasterizer) {
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  r::SetOverlayMode(rasterizer, kOverlayForm);
  if (!IsInactive()) {
    DrawSkinFrame(rasterizer, FrameStyle::kTeal, x, y, GetWidth(), GetHeight());
    r::EnableTexturing(rasterizer, 1);
    r::EnableBlending(rasterizer, 1);
    r::SetBlendFunc(rasterizer, kBlendOne, kBlendOne);
    r::BindTexture(rasterizer, XrayOverlayTexture());
    DrawTexturedQuad(rasterizer, kWholeImage, x, y, GetWidth(), GetHeight());
    r::EnableTexturing(rasterizer, 0);
    r::EnableBlending(rasterizer, 0);
  }
  children_.Draw(x, y, rasterizer);
  r::SetOverlayMode(rasterizer, kOverlayOff);
  ClearMouseState();
}

const char16_t* TeskForm::Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t buttons) {
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  if (focus_) {
    focus_->FocusLost();
    focus_ = nullptr;
  }
  for (TeskIWidget* child : children_.Items()) {
    const char16_t* handled = child->Mouse(x, y, pointX, pointY, buttons);
    if (!focus_) {
      focus_ = child->HitTest(x, y, pointX, pointY);
      if (focus_) focus_->FocusGained();
    }
    if (handled) return handled;
  }
  return nullptr;
}

void TeskForm::MouseMoveEvent(int32_t pointerX, int32_t pointerY, uint32_t buttons) {
  if (focus_) focus_->MouseMoveEvent(pointerX, pointerY, buttons);
}

void TeskForm::CharEvent(char16_t unit) {
  if (focus_) focus_->CharEvent(unit);
}

void TeskForm::RemoveChild(TeskIWidget* widget) {
  children_.Remove(widget);
  if (focus_ == widget) focus_ = nullptr;
}

RTSuccess TeskForm::StreamOut(RTInstance stream) const {
  return TeskIWidget::StreamOut(stream) && kivo::StreamWriteUInt(stream, kFormVersion) && children_.StreamOut(stream)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess TeskForm::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  if (!TeskIWidget::StreamIn(stream) || !ReadClassVersion(stream, kFormVersion, nullptr, &version)) return kRTFailure;
  return version < kFormVersion ? kRTSuccess : children_.StreamIn(stream, this);
}

}  // namespace tesk::game::gui
