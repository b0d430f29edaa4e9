// TeskIcon: a textured rectangle cut from a skin image or any texture, tinted, optionally mirrored
// or rotated, with a label to its right. It answers a press inside it (edges included) with its
// name unless inactive; after the pointer has rested on it for more than two seconds it hands its
// tool tip to its parent. A glow draws the picture again additively, a highlight an enlarged copy
// over it, and a flash brightens it in four timed cycles.
#pragma once

#include <cstdint>

#include "draw_primitives.h"
#include "widget.h"

namespace tesk::game::gui {

class TeskIcon : public TeskIWidget {
 public:
  TeskIcon();

  void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) override;
  const char16_t* Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t buttons) override;
  // The base block, then u32 0x503, the two texture corners, the image index, the label, the
  // mirror mode, the tool tip when there is one and the hidden flag.
  RTSuccess StreamOut(RTInstance stream) const override;
  // Any block version is read, a newer one as 0x503.
  RTSuccess StreamIn(RTInstance stream) override;

  // The pixel rectangle of a 128 x 128 image; the icon takes its size.
  void SetImageRect(int32_t x, int32_t y, int32_t w, int32_t h);
  // The skin image of the index (no texture for one outside the skin's images).
  void SetImage(uint32_t index);
  uint32_t GetImage() const { return image_; }
  // The whole of the texture.
  void SetTexture(uint32_t texture);
  void SetUVRect(float uA, float vA, float uB, float vB) { uv_ = {uA, vA, uB, vB}; }
  const UvRect& GetUVRect() const { return uv_; }
  void SetTextureId(uint32_t texture) { texture_ = texture; }
  uint32_t GetTextureId() const { return texture_; }
  // Null or "" draws no label.
  RTSuccess SetLabel(const char16_t* label) { return label_.Set(label); }
  const char16_t* GetLabel() const { return label_.Get(); }
  // Null: no tool tip.
  RTSuccess SetToolTip(const char16_t* tip);
  // The tool tip, or null when there is none.
  const char16_t* GetToolTip() const { return hasTip_ ? tip_.Get() : nullptr; }
  void SetGlow(uint32_t glow) { glow_ = glow; }
  uint32_t IsGlowing() const { return glow_; }
  void SetHighlight(uint32_t highlight) { highlight_ = highlight; }
  uint32_t IsHighlighted() const { return highlight_; }
  void SetRotation(float angle) { angle_ = angle; }
  // Flashes one cycle of the given seconds, then three of half of it; 0 seconds make no flash.
  void StartFlash(uint32_t seconds);
  uint32_t IsFlashing() const { return flashing_; }
  // The highlight for 0.4 s, after which it is cleared, also when set again meanwhile.
  void StartPulse();
  // A hidden icon draws nothing and still answers the mouse.
  void SetHidden(uint32_t hidden) { hidden_ = hidden; }
  uint32_t IsHidden() const { return hidden_; }
  uint32_t IsHovered() const { return hovered_; }

  friend void TeskIconSetColor(TeskIcon* icon, const Colour& colour);
  friend const Colour& TeskIconGetColor(const TeskIcon* icon);
  friend void TeskIconSetFlag(TeskIcon* icon, int8_t mirror);
  friend int8_t TeskIconGetFlag(const TeskIcon* icon);

 private:
  UvRect MirroredUv() const;
  void DrawFlash(RTInstance rasterizer, const UvRect& uv, int32_t x, int32_t y, int32_t w, int32_t h, float now);
  void HandToolTipToParent();
  RTSuccess ReadToolTip(RTInstance stream);

  UvRect uv_ = {};
  uint32_t image_ = 0;
  uint32_t texture_ = 0;
  OwnedText label_;
  int8_t mirror_ = 0;
  uint32_t hidden_ = 0;
  uint32_t highlight_ = 0;
  uint32_t glow_ = 0;
  Colour colour_ = {1.0f, 1.0f, 1.0f, 0.0f};
  uint32_t flashing_ = 0;
  float flashStart_ = 0.0f;
  float flashPeriod_ = 0.0f;
  uint32_t flashCycle_ = 0;
  uint32_t hovered_ = 0;
  float angle_ = 0.0f;
  uint32_t pulseRunning_ = 0;
  float pulseEnd_ = 0.0f;
  OwnedText tip_;
  bool hasTip_ = false;
  float hoverStart_ = 0.0f;
  int32_t lastX_ = 0;
  int32_t lastY_ = 0;
};

// The tint, all four floats (red, green and blue are drawn, opaque).
inline void TeskIconSetColor(TeskIcon* icon, const Colour& colour) { icon->colour_ = colour; }
inline const Colour& TeskIconGetColor(const TeskIcon* icon) { return icon->colour_; }
// The mirror mode: 0 as it is, 1 mirrored top to bottom, 2 left to right; any other draws as 0.
inline void TeskIconSetFlag(TeskIcon* icon, int8_t mirror) { icon->mirror_ = mirror; }
inline int8_t TeskIconGetFlag(const TeskIcon* icon) { return icon->mirror_; }

}  // namespace tesk::game::gui
