// One digit cell of a digit strip: RTTeskGame::DrawNumber, a native entry of the game's method
// table ("DrawNumber") that the HUD's pieces call directly.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace tesk::game {

// Draws cell |aNumber| (0 to 10; cell 10 is the number 10) of the strip of style `aType` at (aX,
// aY), aOffset pixels added to the cell's width and height; -3 to -1 draw a minus sign first, 10
// pixels left of the cell. Returns 0, drawing nothing, for a number outside -3..10; a style
// without a strip draws no cell. Leaves blending and texturing off, lighting and depth test on.
RTSuccess DrawNumber(RTInstance game, int32_t aNumber, int32_t aType, int32_t aX, int32_t aY, int32_t aOffset);

}  // namespace tesk::game
