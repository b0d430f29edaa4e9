// The HUD's icon sheets, drawn from the HUD icon table: each non-empty entry a framed box of its
// own colour with its index, and a white mark in its upright top-left corner, so that a sprite
// drawn upside down or shifted shows it. Entries are drawn in index order: where rectangles of a
// sheet overlap, the later one is on top. Parts of a rectangle beyond its sheet are left out.
#pragma once

#include <cstdint>

#include "canvas.h"
#include "hud_icon_table.h"

namespace tesk::art {

// The sprites of one sheet code onto a canvas.
void DrawHudSprites(Canvas& sheet, int32_t code);
// A sheet of its own: D x D texels (128 or 256), clear where no sprite lies.
Canvas HudSheetImage(const game::HudSheet& sheet);

}  // namespace tesk::art
