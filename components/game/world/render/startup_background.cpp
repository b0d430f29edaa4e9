#include "startup_background.h"

#include "hud_icon_table.h"
#include "hud_icons.h"

namespace tesk::game {

namespace {

constexpr int32_t kTileSize = 512;

}  // namespace

void DrawStartupBackground(RTInstance self, GamePrivateData&) {
  for (int32_t tile = 0; tile < 4; ++tile)
    DrawHudIcon(self, kFirstStartupTile + tile, tile % 2 * kTileSize, tile / 2 * kTileSize, 0, kHudIconUpright);
}

}  // namespace tesk::game
