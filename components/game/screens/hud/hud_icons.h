// The HUD's sprite drawing: one entry of the game record's HUD icon table (0-122), or one of the
// start-up background's tiles (1000-1003), as a textured quad in screen pixels ((0, 0) top left,
// y down). Each call switches lighting and depth test off, and leaves blending and texturing off
// and lighting and depth test on.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace tesk::game {

enum HudIconOrientation : int32_t {
  kHudIconUpright = 0,
  kHudIconMirrored = 1,    // left to right
  kHudIconRotated = 2,     // by 180 degrees
  kHudIconUpsideDown = 3,  // mirrored top to bottom
};

// Draws the sprite with its top-left corner at (x, y), `grow` pixels added to its width and
// height (upright it stays at least 1 x 1). An index or orientation outside those above draws
// nothing. Returns 1.
RTSuccess DrawHudIcon(RTInstance game, int32_t index, int32_t x, int32_t y, int32_t grow, int32_t orientation);

}  // namespace tesk::game
