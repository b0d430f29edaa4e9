#include "icon.h"

#include <cmath>
#include <utility>

#include "gui_clock.h"
#include "gui_skin.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/module_core.h"
#include "kivo/support/numeric.h"
#include "kivo/support/stream_values.h"
#include "stream_fields.h"
#include "widget_text.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

constexpr uint32_t kIconVersion = 0x503;
constexpr uint32_t kMirrorVersion = 0x501;  // the mirror mode from here on
constexpr uint32_t kTipVersion = 0x502;     // the tool tip
constexpr uint32_t kHiddenVersion = 0x503;  // the hidden flag
constexpr uint32_t kAnyVersion = UINT32_MAX;
constexpr uint32_t kCornerBytes = 16;  // the two texture corners

constexpr float kSheetSide = 128.0f;
constexpr uint32_t kBlendOne = 1;
constexpr float kHighlightScale = 1.2f;
constexpr float kPulseSeconds = 0.4f;
constexpr float kFlashPi = 3.1415f;
constexpr float kFlashRepeats = 40.0f;
constexpr uint32_t kLastFlashCycle = 3;
constexpr float kToolTipDelay = 2.0f;
constexpr int32_t kLabelGap = 5;
constexpr int32_t kLabelRaise = 7;

int32_t Truncated(float value) { return kivo::FloatToInt<int32_t>(value); }

}  // namespace

TeskIcon::TeskIcon() : TeskIWidget(kWidgetIcon) {}

void TeskIcon::SetImageRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  RTFVector2D a = {};
  RTFVector2D b = {};
  const auto side = static_cast<uint32_t>(kSheetSide);
  PixelRectToUV(&a, static_cast<float>(x), static_cast<float>(y), side, side);
  PixelRectToUV(&b, static_cast<float>(PixelAdd(x, w)), static_cast<float>(PixelAdd(y, h)), side, side);
  uv_ = {a.x, a.y, b.x, b.y};
  SetWidth(w);
  SetHeight(h);
}

void TeskIcon::SetImage(uint32_t index) {
  image_ = index;
  GetGuiImage(index, &texture_);
}

void TeskIcon::SetTexture(uint32_t texture) {
  uv_ = {0.0f, 0.0f, 1.0f, 1.0f};
  texture_ = texture;
}

RTSuccess TeskIcon::SetToolTip(const char16_t* tip) {
  if (!tip) {
    hasTip_ = false;
    return tip_.Set(nullptr);
  }
  if (!tip_.Set(tip)) return kRTFailure;
  hasTip_ = true;
  return kRTSuccess;
}

void TeskIcon::StartFlash(uint32_t seconds) {
  if (!seconds) return;
  float now = 0.0f;
  GameSeconds(&now);
  flashing_ = 1;
  flashStart_ = now;
  flashPeriod_ = static_cast<float>(seconds);
  flashCycle_ = 0;
}

void TeskIcon::StartPulse() {
  float now = 0.0f;
  GameSeconds(&now);
  pulseRunning_ = 1;
  highlight_ = 1;
  pulseEnd_ = now + kPulseSeconds;
}

const char16_t* TeskIcon::Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t) {
  if (IsInactive()) return nullptr;
  if (!PointInside(pointX, pointY, PixelAdd(GetX(), originX), PixelAdd(GetY(), originY), GetWidth(), GetHeight())) {
    hovered_ = 0;
    return nullptr;
  }
  hovered_ = 1;
  float now = 0.0f;
  if (pointX != lastX_ && pointY != lastY_ && GameSeconds(&now)) hoverStart_ = now;
  lastX_ = pointX;
  lastY_ = pointY;
  return GetName();
}

UvRect TeskIcon::MirroredUv() const {
  UvRect uv = uv_;
  if (mirror_ == 1) std::swap(uv.top, uv.bottom);
  if (mirror_ == 2) std::swap(uv.left, uv.right);
  return uv;
}

void TeskIcon::Draw(int32_t originX, int32_t originY, RTInstance rasterizer) {
  if (hidden_) return;
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  int32_t w = GetWidth();
  int32_t h = GetHeight();
  r::BindTexture(rasterizer, texture_);
  r::EnableTexturing(rasterizer, 1);
  r::EnableBlending(rasterizer, 1);
  r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
  r::SetColorFromArray(rasterizer, &colour_.r);
  const UvRect uv = MirroredUv();
  if (angle_ == 0.0f) {
    DrawTexturedQuad(rasterizer, uv, x, y, w, h);
  } else {
    DrawRotatedTexturedQuad(rasterizer, uv, x, y, w, h, angle_);
  }
  if (glow_) {
    r::SetBlendFunc(rasterizer, kBlendOne, kBlendOne);
    DrawTexturedQuad(rasterizer, uv, x, y, w, h);
  }
  if (highlight_) {
    const float bigW = static_cast<float>(w) * kHighlightScale;
    const float bigH = static_cast<float>(h) * kHighlightScale;
    DrawTexturedQuad(rasterizer, uv, Truncated(static_cast<float>(x) - (bigW - static_cast<float>(w)) * 0.5f),
                     Truncated(static_cast<float>(y) - (bigH - static_cast<float>(h)) * 0.5f), Truncated(bigW),
                     Truncated(bigH));
    w = Truncated(bigW);
    h = Truncated(bigH);
  }
  float now = 0.0f;
  if (GameSeconds(&now)) {
    if (pulseRunning_ && pulseEnd_ < now) {
      pulseRunning_ = 0;
      highlight_ = 0;
    }
    if (flashing_) DrawFlash(rasterizer, uv, x, y, w, h, now);
  }
  r::SetColorRGBA(rasterizer, 1.0f, 1.0f, 1.0f, 1.0f);
  r::EnableTexturing(rasterizer, 0);
  r::EnableBlending(rasterizer, 0);
  if (label_.Get()[0]) {
    const RTInstance font = GetFont();
    SetTextBounds(font, GetWidth(), GetHeight());
    DrawText(font, label_.Get(), PixelAdd(PixelAdd(x, GetWidth()), kLabelGap),
             PixelSub(PixelAdd(y, GetHeight() / 2), kLabelRaise), kTextWhite);
    r::EnableDepthTest(rasterizer, 0);
  }
  HandToolTipToParent();
}

// Each additive repetition brightens the picture: their number rises from 0 to 40 and falls back
// over a cycle.
void TeskIcon::DrawFlash(RTInstance rasterizer, const UvRect& uv, int32_t x, int32_t y, int32_t w, int32_t h,
                         float now) {
  r::SetBlendFunc(rasterizer, kBlendOne, kBlendOne);
  r::EnableBlending(rasterizer, 1);
  r::SetColorRGBA(rasterizer, 1.0f, 1.0f, 1.0f, 1.0f);
  const float phase = (now - flashStart_) / flashPeriod_ * kFlashPi;
  const int32_t repeats = Truncated(std::sin(phase) * kFlashRepeats);
  for (int32_t i = 0; i < repeats; ++i) DrawTexturedQuad(rasterizer, uv, x, y, w, h);
  if (now < flashStart_ + flashPeriod_) return;
  if (flashCycle_ >= kLastFlashCycle) {
    flashing_ = 0;
    return;
  }
  if (flashCycle_ == 0) flashPeriod_ *= 0.5f;
  flashStart_ = now;
  ++flashCycle_;
}

void TeskIcon::HandToolTipToParent() {
  float now = 0.0f;
  if (!hovered_ || !hasTip_ || !GameSeconds(&now)) return;
  if (!(now - hoverStart_ > kToolTipDelay) || !tip_.Get()[0] || !GetParent()) return;
  const MouseState state = {
      {reinterpret_cast<uintptr_t>(tip_.Get()), static_cast<uint32_t>(lastX_), static_cast<uint32_t>(lastY_)}};
  GetParent()->SetMouseState(state);
}

RTSuccess TeskIcon::StreamOut(RTInstance stream) const {
  const RTFVector2D a = {uv_.left, uv_.top};
  const RTFVector2D b = {uv_.right, uv_.bottom};
  if (!TeskIWidget::StreamOut(stream) || !kivo::StreamWriteUInt(stream, kIconVersion) ||
      !kivo::StreamWriteVector2D(stream, a) || !kivo::StreamWriteVector2D(stream, b) ||
      !kivo::StreamWriteUInt(stream, image_) || !kivo::StreamWriteWString(stream, label_.Get()) ||
      !kivo::StreamWriteUInt(stream, static_cast<uint32_t>(static_cast<int32_t>(mirror_))) ||
      !kivo::StreamWriteByte(stream, hasTip_ ? 1 : 0))
    return kRTFailure;
  if (hasTip_ && !kivo::StreamWriteWString(stream, tip_.Get())) return kRTFailure;
  return kivo::StreamWriteByte(stream, hidden_ ? 1 : 0);
}

RTSuccess TeskIcon::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  RTFVector2D a = {};
  RTFVector2D b = {};
  uint32_t image = 0;
  if (!TeskIWidget::StreamIn(stream) || !ReadClassVersion(stream, kAnyVersion, nullptr, &version) ||
      !kivo::StreamHolds(stream, kCornerBytes) || !kivo::StreamReadVector2D(stream, &a) ||
      !kivo::StreamReadVector2D(stream, &b))
    return kRTFailure;
  SetUVRect(a.x, a.y, b.x, b.y);
  if (!kivo::StreamReadUInt(stream, &image)) return kRTFailure;
  SetImage(image);
  if (!ReadText(stream, &label_)) return kRTFailure;
  if (version >= kMirrorVersion) {
    uint32_t mirror = 0;
    if (!kivo::StreamReadUInt(stream, &mirror)) return kRTFailure;
    mirror_ = static_cast<int8_t>(mirror & 0xFF);
  }
  if (version >= kTipVersion) {
    uint32_t hasTip = 0;
    if (!kivo::StreamReadByte(stream, &hasTip)) return kRTFailure;
    if (hasTip && !ReadToolTip(stream)) return kRTFailure;
  }
  if (version >= kHiddenVersion) {
    uint32_t hidden = 0;
    if (!kivo::StreamReadByte(stream, &hidden)) return kRTFailure;
    SetHidden(hidden);
  }
  flashStart_ = 0.0f;
  flashPeriod_ = 0.0f;
  flashCycle_ = 0;
  return kRTSuccess;
}

// A stored count 0 reads as no tool tip.
RTSuccess TeskIcon::ReadToolTip(RTInstance stream) {
  char16_t* read = nullptr;
  if (!kivo::StreamReadWString(stream, &read)) return kRTFailure;
  const RTSuccess kept = SetToolTip(read);
  kivo::ModuleCore()->ArrayFree(nullptr, read);
  return kept;
}

}  // namespace tesk::game::gui
