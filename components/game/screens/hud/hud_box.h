// A solid rectangle of the HUD in screen pixels: opaque, or blended by its colour's alpha.
#pragma once

#include <cstdint>

#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace tesk::game {

// A y above the screen becomes 0 (the box moves down, its height stays); a box that crosses the
// right screen edge is cut there (unsigned comparisons: nothing else is cut). Blend 0 draws the
// colour's red, green and blue opaque. Leaves the colour white, blending and texturing off,
// lighting and depth test on. Returns 1.
RTSuccess DrawHudBox(RTInstance game, int32_t x, int32_t y, uint32_t width, uint32_t height,
                     const RTFColorRGB* colour, int32_t blend);

}  // namespace tesk::game
