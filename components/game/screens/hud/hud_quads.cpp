#include "hud_quads.h"

#include "kivo/rasterizer/rasterizer_calls.h"

namespace tesk::game {

namespace r = kivo::rasterizer;

void BeginTexturedHudPiece(RTInstance rasterizer) {
  r::EnableLighting(rasterizer, 0);
  r::EnableDepthTest(rasterizer, 0);
  r::SelectTextureUnit(rasterizer, 0);
  r::EnableTexturing(rasterizer, 1);
  r::EnableBlending(rasterizer, 1);
  r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
}

void EndHudPiece(RTInstance rasterizer) {
  r::EnableBlending(rasterizer, 0);
  r::EnableTexturing(rasterizer, 0);
  r::EnableLighting(rasterizer, 1);
  r::EnableDepthTest(rasterizer, 1);
}

float ScreenSum(int32_t position, int64_t size) { return static_cast<float>(position + size); }

int32_t Moved(int32_t position, int32_t by) {
  return static_cast<int32_t>(static_cast<uint32_t>(position) + static_cast<uint32_t>(by));
}

void DrawTexturedHudQuad(RTInstance rasterizer, int32_t x, int32_t y, int64_t w, int64_t h,
                         const TexturePoint (&corners)[4]) {
  const float left = static_cast<float>(x), top = static_cast<float>(y);
  const float right = ScreenSum(x, w), bottom = ScreenSum(y, h);
  const float xs[4] = {left, left, right, right};
  const float ys[4] = {top, bottom, bottom, top};
  r::BeginPrimitive(rasterizer, r::kBatchQuads);
  for (int corner = 0; corner < 4; ++corner) {
    r::TexCoord(rasterizer, 0, corners[corner].s, corners[corner].t);
    r::Vertex3(rasterizer, xs[corner], ys[corner], 0.0f);
  }
  r::EndPrimitive(rasterizer);
}

}  // namespace tesk::game
