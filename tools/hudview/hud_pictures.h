// The pictures of hudview, one a flag, each drawn through the game's record with the HUD's code
// and through the game's method-table entries; each prints what it drew on standard output.
#pragma once

#include "hud_game.h"

namespace hudview {

// Every entry of the HUD icon table upright (packed in rows by height), then the digits -3 to 10
// in the six digit styles; a line "icon <n> sheet <code> <w>x<h>" an entry, with its drawn size.
void DrawIcons(HudGame& game);
// The four start-up tiles at (0, 0), (512, 0), (0, 512) and (512, 512).
void DrawTiles(HudGame& game);
// Arcs, thick lines of 0 to 4 pixels and bordered discs; a line each with the vertices the
// rasterizer received.
void DrawShapes(HudGame& game);

}  // namespace hudview
