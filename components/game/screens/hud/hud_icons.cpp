#include "hud_icons.h"

#include <algorithm>

#include "game_record.h"
#include "hud_icon_table.h"
#include "hud_quads.h"
#include "kivo/rasterizer/rasterizer_calls.h"

namespace tesk::game {

namespace {

namespace r = kivo::rasterizer;

// The texture start-up made for each sheet code.
struct SheetTexture {
  int32_t code;
  uint32_t StartupTextures::*texture;
};

constexpr SheetTexture kSheetTextures[] = {
    {1, &StartupTextures::plateA},        {2, &StartupTextures::plateB},
    {3, &StartupTextures::mainA},         {4, &StartupTextures::mainB},
    {5, &StartupTextures::mainC},         {6, &StartupTextures::mainD},
    {11, &StartupTextures::perkIcons},    {12, &StartupTextures::leftButtons},
    {13, &StartupTextures::rightButtons}, {17, &StartupTextures::generalIcons},
    {18, &StartupTextures::elements},     {19, &StartupTextures::portalBallsA},
    {20, &StartupTextures::portalBallsB},
};

constexpr uint32_t StartupTextures::*kTileTextures[kStartupTileCount] = {
    &StartupTextures::startupTopLeft, &StartupTextures::startupTopRight, &StartupTextures::startupBottomLeft,
    &StartupTextures::startupBottomRight};

// What one index draws: its texture with its blend, its size and its texture rectangle.
struct Sprite {
  uint32_t texture;
  uint32_t blendSource;
  uint32_t blendDestination;
  int32_t w;
  int32_t h;
  float s0;
  float t0;
  float ds;
  float dt;
};

bool TableSprite(const GamePrivateData& game, int32_t index, Sprite* sprite) {
  const HudIconRecord& icon = game.hudIcons[index];
  const HudSheet* sheet = FindHudSheet(icon.sheet);
  const auto found = std::find_if(std::begin(kSheetTextures), std::end(kSheetTextures),
                                  [&icon](const SheetTexture& row) { return row.code == icon.sheet; });
  if (!sheet || found == std::end(kSheetTextures)) return false;
  const auto texels = static_cast<float>(sheet->texels);
  const int32_t w = icon.x1 - icon.x0, h = icon.y1 - icon.y0;
  *sprite = {game.textures.*found->texture,
             sheet->blendSource,
             sheet->blendDestination,
             w,
             h,
             static_cast<float>(icon.x0) / texels,
             static_cast<float>(sheet->reference - icon.y1) / texels,
             static_cast<float>(w) / texels,
             static_cast<float>(h) / texels};
  return true;
}

bool FindSprite(const GamePrivateData& game, int32_t index, Sprite* sprite) {
  if (index >= 0 && index < kHudIconCount) return TableSprite(game, index, sprite);
  const int32_t tile = index - kFirstStartupTile;
  if (tile < 0 || tile >= kStartupTileCount) return false;
  const StartupTile& t = kStartupTiles[tile];
  *sprite = {game.textures.*kTileTextures[tile], r::kSourceAlpha, r::kOneMinusSourceAlpha, t.width, t.height,
             t.s0, t.t0, t.ds, t.dt};
  return true;
}

void DrawSprite(RTInstance rasterizer, const Sprite& sprite, int32_t x, int32_t y, int32_t grow,
                int32_t orientation) {
  const float s0 = sprite.s0, s1 = sprite.s0 + sprite.ds;
  const float t0 = sprite.t0, t1 = sprite.t0 + sprite.dt;
  int64_t w = int64_t{sprite.w} + grow, h = int64_t{sprite.h} + grow;
  // Corners (x, y), (x, y + H), (x + W, y + H), (x + W, y).
  switch (orientation) {
    case kHudIconUpright:
      w = std::max<int64_t>(w, 1);
      h = std::max<int64_t>(h, 1);
      DrawTexturedHudQuad(rasterizer, x, y, w, h, {{s0, t1}, {s0, t0}, {s1, t0}, {s1, t1}});
      return;
    case kHudIconMirrored:
      DrawTexturedHudQuad(rasterizer, x, y, w, h, {{s1, t1}, {s1, t0}, {s0, t0}, {s0, t1}});
      return;
    case kHudIconRotated:
      DrawTexturedHudQuad(rasterizer, x, y, w, h, {{s1, t0}, {s1, t1}, {s0, t1}, {s0, t0}});
      return;
    case kHudIconUpsideDown:
      DrawTexturedHudQuad(rasterizer, x, y, w, h, {{s0, t0}, {s0, t1}, {s1, t1}, {s1, t0}});
      return;
    default:
      return;
  }
}

}  // namespace

RTSuccess DrawHudIcon(RTInstance game, int32_t index, int32_t x, int32_t y, int32_t grow, int32_t orientation) {
  const GamePrivateData* record = RecordOf(game);
  if (!record) return kRTSuccess;
  const RTInstance rasterizer = record->rasterizer;
  BeginTexturedHudPiece(rasterizer);
  Sprite sprite{};
  if (FindSprite(*record, index, &sprite)) {
    r::EnableBlending(rasterizer, 1);
    r::SetBlendFunc(rasterizer, sprite.blendSource, sprite.blendDestination);
    r::BindTexture(rasterizer, sprite.texture);
    DrawSprite(rasterizer, sprite, x, y, grow, orientation);
  }
  EndHudPiece(rasterizer);
  return kRTSuccess;
}

}  // namespace tesk::game
