#include "color_box.h"

#include "draw_primitives.h"
#include "gui_skin.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/stream_values.h"
#include "stream_fields.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

constexpr uint32_t kColorBoxVersion = 0x500;
constexpr uint32_t kCharacterImage = 1;  // "CHARACTER_A"
constexpr uint32_t kBlendOne = 1;        // GL_ONE: the glow adds the sprite again
constexpr int32_t kSwatchLeft = 4;
constexpr int32_t kSwatchTop = 3;
constexpr int32_t kSwatchSide = 13;
constexpr int32_t kSpriteInset = -5;
constexpr int32_t kSpriteSide = 29;

}  // namespace

TeskColorBox::TeskColorBox() : TeskIWidget(kWidgetColorBox) {
  TeskIWidget::SetWidth(18);
  TeskIWidget::SetHeight(18);
}

void TeskColorBox::Draw(int32_t originX, int32_t originY, RTInstance rasterizer) {
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  DrawSolidQuad(rasterizer, PixelAdd(x, kSwatchLeft), PixelAdd(y, kSwatchTop), kSwatchSide, kSwatchSide, colour_);
  uint32_t sprite = 0;
  GetGuiImage(kCharacterImage, &sprite);
  const UvRect& piece = Pieces().colorBoxPiece;
  const int32_t spriteX = PixelAdd(x, kSpriteInset);
  const int32_t spriteY = PixelAdd(y, kSpriteInset);
  r::SetColorFromArray(rasterizer, &tint_.r);
  r::EnableTexturing(rasterizer, 1);
  r::BindTexture(rasterizer, sprite);
  r::EnableBlending(rasterizer, 1);
  r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
  DrawTexturedQuad(rasterizer, piece, spriteX, spriteY, kSpriteSide, kSpriteSide);
  if (selected_) {
    r::SetBlendFunc(rasterizer, kBlendOne, kBlendOne);
    DrawTexturedQuad(rasterizer, piece, spriteX, spriteY, kSpriteSide, kSpriteSide);
  }
  r::EnableBlending(rasterizer, 0);
  r::EnableTexturing(rasterizer, 0);
}

const char16_t* TeskColorBox::Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t) {
  return PointInside(pointX, pointY, PixelAdd(GetX(), originX), PixelAdd(GetY(), originY), GetWidth(), GetHeight())
             ? GetName()
             : nullptr;
}

RTSuccess TeskColorBox::StreamOut(RTInstance stream) const {
  return TeskIWidget::StreamOut(stream) && kivo::StreamWriteUInt(stream, kColorBoxVersion) &&
                 kivo::StreamWriteColor(stream, colour_)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess TeskColorBox::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  Colour read = colour_;
  if (!TeskIWidget::StreamIn(stream) ||
      !ReadClassVersion(stream, kColorBoxVersion, u"TeskColorBox::StreamIn() -- Version is newer than reader",
                        &version) ||
      !ReadColour(stream, &read))
    return kRTFailure;
  SetColor(read);
  return kRTSuccess;
}

}  // namespace tesk::game::gui
