// One loading-screen frame: the sprite "LOADING_B" steps across the sprite's rows, and the
// backdrop "LOADING_A" is laid over the whole window with the blend (1 - source alpha, source
// alpha), so that the backdrop shows where its alpha is 0 and the sprite shows through its band of
// alpha 1. The frame is presented without a BeginFrame: the pump draws between frames.
#include "loading_screen.h"

#include "game_context.h"
#include "game_methods.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "screen_drawing.h"

namespace tesk::game::method {

namespace {

namespace r = kivo::rasterizer;

constexpr uint32_t kLoadingFrameMilliseconds = 66;  // at most one loading frame in 67 ms
// The loading screen is laid out on a 512 x 384 screen and scaled to the window.
constexpr float kLayoutWidth = 512.0f;
constexpr float kLayoutHeight = 384.0f;
constexpr float kSpriteTop = 268.0f;
constexpr float kSpriteWidth = 44.0f;
constexpr float kSpriteHeight = 105.0f;
constexpr float kSpriteStep = 20.0f;
constexpr float kBottomV = 0.75f;  // both images show their top three quarters
constexpr float kFogColour[4] = {0.003921569f, 0.09019608f, 0.1254902f, 0.0f};
constexpr uint32_t kClearColourAndDepth = r::kClearColour | r::kClearDepth;

// A textured quad from (x, y) to (x + w, y + h), v from 0 at the top to kBottomV at the bottom.
void DrawQuad(RTInstance rasterizer, float x, float y, float w, float h) {
  r::BeginPrimitive(rasterizer, r::kBatchQuads);
  r::TexCoord(rasterizer, 0, 0.0f, 0.0f);
  r::Vertex3(rasterizer, x, y, 0.0f);
  r::TexCoord(rasterizer, 0, 0.0f, kBottomV);
  r::Vertex3(rasterizer, x, y + h, 0.0f);
  r::TexCoord(rasterizer, 0, 1.0f, kBottomV);
  r::Vertex3(rasterizer, x + w, y + h, 0.0f);
  r::TexCoord(rasterizer, 0, 1.0f, 0.0f);
  r::Vertex3(rasterizer, x + w, y, 0.0f);
  r::EndPrimitive(rasterizer);
}

void DrawLoadingFrame(RTInstance self, GamePrivateData& game) {
  RTInstance rasterizer = game.rasterizer;
  gui::SavedProjection saved{};
  gui::BeginScreenDrawing(self, &saved);
  const auto width = static_cast<float>(game.screenWidth);
  const auto height = static_cast<float>(game.screenHeight);
  const float sx = width / kLayoutWidth;
  const float sy = height / kLayoutHeight;
  r::EnableFog(rasterizer, 1);
  r::SetFogColor(rasterizer, kFogColour[0], kFogColour[1], kFogColour[2], kFogColour[3]);
  r::SetClearMask(rasterizer, kClearColourAndDepth);
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);

  r::BindTexture(rasterizer, game.textures.loadingSpriteTexture);
  r::EnableTexturing(rasterizer, 1);
  DrawQuad(rasterizer, game.loadingSpriteX, kSpriteTop * sy, kSpriteWidth * sx, kSpriteHeight * sy);
  game.loadingSpriteX += kSpriteStep * sx;
  if (game.loadingSpriteX >= width - 1.0f) game.loadingSpriteX = 0.0f;

  r::BindTexture(rasterizer, game.textures.loadingBackTexture);
  r::EnableBlending(rasterizer, 1);
  r::SetBlendFunc(rasterizer, r::kOneMinusSourceAlpha, r::kSourceAlpha);
  DrawQuad(rasterizer, 0.0f, 0.0f, width, height);
  r::EnableBlending(rasterizer, 0);

  gui::EndScreenDrawing(self, saved);
  r::PresentFrame(rasterizer);
  r::EnableTexturing(rasterizer, 0);
}

}  // namespace

TESK_GAME_SCRIPT_METHOD(PumpLoadingScreen) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !game->rasterizer) return kRTSuccess;
  const uint32_t now = Now();
  if (now - game->pumpTime <= kLoadingFrameMilliseconds) return kRTSuccess;
  DrawLoadingFrame(self, *game);
  game->pumpTime = now;
  if (game->idleCallback) game->idleCallback();
  return kRTSuccess;
}

}  // namespace tesk::game::method
