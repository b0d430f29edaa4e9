#include "skin_frames.h"

#include "draw_primitives.h"
#include "gui_skin.h"
#include "kivo/rasterizer/rasterizer_calls.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

// A pixel coordinate computed wide and wrapped back to 32 bits.
int32_t Px(int64_t value) { return static_cast<int32_t>(value); }

constexpr float Byte(int value) { return static_cast<float>(value) / 255.0f; }

struct StyleRow {
  SkinFrameRecord SkinPieces::*record;
  Colour fill;
  bool blendedCentre;
};

// By FrameStyle.
constexpr StyleRow kStyles[] = {
    {&SkinPieces::tealFrame, {0.0f, Byte(104), Byte(147), 0.8f}, false},
    {&SkinPieces::navyFrame, {Byte(7), Byte(25), Byte(56), 0.8f}, false},
    {&SkinPieces::blackFrame, {0.0f, 0.0f, 0.0f, 0.8f}, true},
    {&SkinPieces::slateFrame, {Byte(37), Byte(57), Byte(81), 0.8f}, false},
    {&SkinPieces::thinFrame, {0.0f, Byte(104), Byte(147), 0.8f}, false},
    {&SkinPieces::thinFrame, {Byte(7), Byte(25), Byte(56), 0.8f}, false},
    {&SkinPieces::listFrame, {Byte(7), Byte(25), Byte(51), 0.8f}, false},
};

constexpr Colour kHudBoxFill = {Byte(10), Byte(49), Byte(84), 0.85f};

// The skin image's sprites blend over what lies beneath.
void BeginSprites(RTInstance rasterizer) {
  r::EnableTexturing(rasterizer, 1);
  r::BindTexture(rasterizer, ElementTexture());
  r::EnableBlending(rasterizer, 1);
  r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
}

void EndSprites(RTInstance rasterizer) {
  r::EnableBlending(rasterizer, 0);
  r::EnableTexturing(rasterizer, 0);
}

// The four corners and the top, left, (bottom,) right edges of a nine-slice frame.
void DrawBorder(RTInstance rasterizer, const SkinFrameRecord& record, int32_t x, int32_t y, int32_t w, int32_t h,
                bool bottom) {
  const int32_t cw = CornerWidth(record);
  const int32_t ch = CornerHeight(record);
  const UvRect& corner = Current(record.corner);
  const UvRect& top = Current(record.topEdge);
  const UvRect& side = Current(record.sideEdge);
  const int32_t right = Px(int64_t{x} + w - cw);
  const int32_t lower = Px(int64_t{y} + h - ch);
  const int32_t innerWidth = Px(int64_t{w} - 2 * cw);
  const int32_t innerHeight = Px(int64_t{h} - 2 * ch);
  DrawTexturedQuad(rasterizer, corner, x, y, cw, ch);
  DrawTexturedQuadMirrorX(rasterizer, corner, right, y, cw, ch);
  DrawTexturedQuadMirrorY(rasterizer, corner, x, lower, cw, ch);
  DrawTexturedQuadMirrorXY(rasterizer, corner, right, lower, cw, ch);
  DrawColumnStretchQuad(rasterizer, Px(int64_t{x} + cw), y, innerWidth, ch, top.left, top.top, top.bottom);
  DrawRowStretchQuad(rasterizer, x, Px(int64_t{y} + ch), cw, innerHeight, side.left, side.right, side.top);
  if (bottom)
    DrawColumnStretchQuad(rasterizer, Px(int64_t{x} + cw), lower, innerWidth, ch, top.left, top.bottom, top.top);
  DrawRowStretchQuad(rasterizer, right, Px(int64_t{y} + ch), cw, innerHeight, side.right, side.left, side.top);
}

void DrawCentre(RTInstance rasterizer, const SkinFrameRecord& record, int32_t x, int32_t y, int32_t w, int32_t h,
                int32_t grow, const Colour& fill) {
  const int32_t cw = CornerWidth(record);
  const int32_t ch = CornerHeight(record);
  DrawSolidQuad(rasterizer, Px(int64_t{x} + cw - grow), Px(int64_t{y} + ch - grow), Px(int64_t{w} - 2 * cw + 2 * grow),
                Px(int64_t{h} - 2 * ch + 2 * grow), fill);
}

// The nine-slice frame in the colour already set.
void DrawNineSlice(RTInstance rasterizer, const SkinFrameRecord& record, int32_t x, int32_t y, int32_t w, int32_t h,
                   const Colour& fill, bool blendedCentre) {
  BeginSprites(rasterizer);
  DrawBorder(rasterizer, record, x, y, w, h, true);
  if (blendedCentre) {
    r::EnableTexturing(rasterizer, 0);
    DrawCentre(rasterizer, record, x, y, w, h, 0, fill);
    r::EnableBlending(rasterizer, 0);
  } else {
    EndSprites(rasterizer);
    DrawCentre(rasterizer, record, x, y, w, h, 0, fill);
  }
}

// What the two HUD boxes share around their bottom edge: the depth test goes off for the sprites
// and comes back on before the centre, three pixels larger on every side than the corners leave.
void DrawHudBox(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h, bool withPointer) {
  const SkinFrameRecord& thin = Pieces().thinFrame;
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
  r::EnableDepthTest(rasterizer, 0);
  BeginSprites(rasterizer);
  DrawBorder(rasterizer, thin, x, y, w, h, !withPointer);
  if (withPointer) {
    const int32_t cw = CornerWidth(thin);
    const int32_t ch = CornerHeight(thin);
    const UvRect& top = Current(thin.topEdge);
    const int32_t half = w / 2;
    const int32_t lower = Px(int64_t{y} + h - ch);
    DrawColumnStretchQuad(rasterizer, Px(int64_t{x} + cw), lower, half - 25, ch, top.left, top.bottom, top.top);
    DrawColumnStretchQuad(rasterizer, Px(int64_t{x} + half + 15), lower, half - 23, ch, top.left, top.bottom, top.top);
    DrawTexturedQuad(rasterizer, Current(Pieces().bubblePointer), Px(int64_t{x} + half - 17), Px(int64_t{y} + h - 6),
                     32, 18);
  }
  EndSprites(rasterizer);
  r::EnableDepthTest(rasterizer, 1);
  DrawCentre(rasterizer, thin, x, y, w, h, 3, kHudBoxFill);
}

void DrawTab(RTInstance rasterizer, const SkinFrameRecord& record, int32_t x, int32_t y, int32_t w) {
  const int32_t cw = CornerWidth(record);
  const int32_t ch = CornerHeight(record);
  const UvRect& corner = Current(record.corner);
  const UvRect& top = Current(record.topEdge);
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
  r::EnableTexturing(rasterizer, 1);
  r::BindTexture(rasterizer, ElementTexture());
  r::EnableBlending(rasterizer, 1);
  DrawTexturedQuad(rasterizer, corner, x, y, cw, ch);
  DrawTexturedQuadMirrorX(rasterizer, corner, Px(int64_t{x} + w - cw), y, cw, ch);
  DrawColumnStretchQuad(rasterizer, Px(int64_t{x} + cw), y, Px(int64_t{w} - 2 * cw), ch, top.left, top.top, top.bottom);
  EndSprites(rasterizer);
}

}  // namespace

void DrawSkinFrame(RTInstance rasterizer, FrameStyle style, int32_t x, int32_t y, int32_t w, int32_t h) {
  const StyleRow& row = kStyles[static_cast<int>(style)];
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
  DrawNineSlice(rasterizer, Pieces().*row.record, x, y, w, h, row.fill, row.blendedCentre);
}

void DrawSkinFrameB(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h) {
  DrawHudBox(rasterizer, x, y, w, h, true);
}

void DrawSkinFrameC(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h) {
  DrawHudBox(rasterizer, x, y, w, h, false);
}

void DrawButtonFrame(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h, const Colour& fill) {
  DrawNineSlice(rasterizer, Pieces().buttonFrame, x, y, w, h, fill, false);
}

void DrawPageTab(RTInstance rasterizer, int32_t x, int32_t y, int32_t w) {
  DrawTab(rasterizer, Pieces().pageTab, x, y, w);
}

void DrawTitleTab(RTInstance rasterizer, int32_t x, int32_t y, int32_t w) {
  DrawTab(rasterizer, Pieces().titleTab, x, y, w);
}

}  // namespace tesk::game::gui
