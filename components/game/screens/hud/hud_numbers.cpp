#include "hud_numbers.h"

#include "game_record.h"
#include "hud_box.h"
#include "hud_quads.h"
#include "kivo/rasterizer/rasterizer_calls.h"

namespace tesk::game {

namespace {

namespace r = kivo::rasterizer;

constexpr int32_t kLowest = -3;
constexpr int32_t kHighest = 10;
constexpr float kCellShare = 1.0f / 16.0f;  // each strip holds 16 cells over its width

// The digit strips by style: the texture, the cell's pixel size and the strip's width.
struct DigitStyle {
  int32_t type;
  uint32_t StartupTextures::*strip;
  int32_t cell;
  int32_t stripWidth;
};

constexpr DigitStyle kStyles[] = {
    {9, &StartupTextures::numbers, 16, 256},         {7, &StartupTextures::redNumbers, 16, 256},
    {8, &StartupTextures::greenNumbers, 16, 256},    {10, &StartupTextures::bigNumbers, 32, 512},
    {16, &StartupTextures::bigGreenNumbers, 32, 512}, {15, &StartupTextures::bigRedNumbers, 32, 512},
};

const DigitStyle* FindStyle(int32_t type) {
  for (const DigitStyle& style : kStyles)
    if (style.type == type) return &style;
  return nullptr;
}

constexpr RTFColorRGB kMinusBorder = {0.0f, 0.0f, 0.0f, 0.0f};
constexpr RTFColorRGB kMinusBar = {1.0f, 1.0f, 1.0f, 0.0f};

}  // namespace

RTSuccess DrawNumber(RTInstance game, int32_t aNumber, int32_t aType, int32_t aX, int32_t aY, int32_t aOffset) {
  const GamePrivateData* record = RecordOf(game);
  if (!record || aNumber > kHighest || aNumber < kLowest) return kRTFailure;
  const int32_t cell = aNumber < 0 ? -aNumber : aNumber;
  // A white 8 x 3 bar in a 3-pixel black border.
  if (aNumber < 0) {
    DrawHudBox(game, Moved(aX, -10), Moved(aY, 10), 14, 9, &kMinusBorder, 0);
    DrawHudBox(game, Moved(aX, -7), Moved(aY, 13), 8, 3, &kMinusBar, 0);
  }
  const RTInstance rasterizer = record->rasterizer;
  BeginTexturedHudPiece(rasterizer);
  if (const DigitStyle* style = FindStyle(aType)) {
    r::EnableBlending(rasterizer, 1);
    r::SetBlendFunc(rasterizer, r::kOneMinusSourceAlpha, r::kSourceAlpha);
    r::BindTexture(rasterizer, record->textures.*style->strip);
    const float s0 = static_cast<float>(cell * style->cell) / static_cast<float>(style->stripWidth);
    const float s1 = s0 + kCellShare;
    const int64_t side = int64_t{style->cell} + aOffset;
    DrawTexturedHudQuad(rasterizer, aX, aY, side, side, {{s0, 1.0f}, {s0, 0.0f}, {s1, 0.0f}, {s1, 1.0f}});
  }
  EndHudPiece(rasterizer);
  return kRTSuccess;
}

}  // namespace tesk::game
