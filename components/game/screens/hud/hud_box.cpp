#include "hud_box.h"

#include "game_record.h"
#include "hud_quads.h"
#include "kivo/rasterizer/rasterizer_calls.h"

namespace tesk::game {

namespace r = kivo::rasterizer;

RTSuccess DrawHudBox(RTInstance game, int32_t x, int32_t y, uint32_t width, uint32_t height,
                     const RTFColorRGB* colour, int32_t blend) {
  const GamePrivateData* record = RecordOf(game);
  if (!record) return kRTSuccess;
  const RTInstance rasterizer = record->rasterizer;
  if (y < 0) y = 0;
  const auto left = static_cast<uint32_t>(x);
  if (left + width > record->screenWidth && left < record->screenWidth) width = record->screenWidth - left;
  if (blend) {
    r::EnableBlending(rasterizer, 1);
    r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
    r::SetColorRGBAArray(rasterizer, &colour->r);
  }
  r::EnableLighting(rasterizer, 0);
  r::EnableDepthTest(rasterizer, 0);
  if (!blend) r::SetColor(rasterizer, colour->r, colour->g, colour->b);
  const float x0 = static_cast<float>(x), y0 = static_cast<float>(y);
  const float x1 = ScreenSum(x, width), y1 = ScreenSum(y, height);
  r::BeginPrimitive(rasterizer, r::kBatchQuads);
  r::Vertex3(rasterizer, x0, y0, 0.0f);
  r::Vertex3(rasterizer, x0, y1, 0.0f);
  r::Vertex3(rasterizer, x1, y1, 0.0f);
  r::Vertex3(rasterizer, x1, y0, 0.0f);
  r::EndPrimitive(rasterizer);
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
  r::SetColorRGBA(rasterizer, 1.0f, 1.0f, 1.0f, 1.0f);
  EndHudPiece(rasterizer);
  return kRTSuccess;
}

}  // namespace tesk::game
