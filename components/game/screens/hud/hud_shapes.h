// Arcs, thick lines and bordered discs of the HUD, in screen pixels ((0, 0) top left, y down).
// Each leaves the current colour white.
#pragma once

#include <cstdint>

#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace tesk::game {

// One line strip through the points at whole degrees start .. end - 1 (none when start >= end)
// around the centre (its z kept); degree 0 lies straight below the centre. No closing vertex.
RTSuccess DrawCircleArc(RTInstance game, const RTFVector3D* centre, uint32_t start, uint32_t end, float radius,
                        float red, float green, float blue);
// `thickness` one-pixel segments from a to b, shifted along the diagonal by the offsets
// 1 - thickness / 2 .. thickness / 2 (even) or -thickness / 2 .. thickness / 2 (odd), with
// smoothing on around them.
RTSuccess DrawThickLine(RTInstance game, const RTFVector3D* a, const RTFVector3D* b, uint32_t thickness, float red,
                        float green, float blue);
// RTTeskGame::DrawBorderedCircle, a native entry of the game's method table: a disc of 60
// triangles in the colour, then rings at radius + 1 black, + 2 and + 3 white and + 4 black.
// Leaves blending and texturing off, lighting and depth test on.
RTSuccess DrawBorderedCircle(RTInstance game, uint32_t aCenterX, uint32_t aCenterY, int32_t aRadius, float aRed,
                             float aGreen, float aBlue);

}  // namespace tesk::game
