// The mouse-over pop-up: a light blue box with black text in the skin's default font, moved back
// inside the screen (the game's screen size) when it would reach past its right or bottom edge.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace tesk::game::gui {

// Width 0 makes the box the text's width plus 10; any other width is the box's. The text wraps 5
// pixels short of the box's width. Texturing and blending are left off, the depth test and depth
// writes on.
void DrawMouseOverPopUp(RTInstance rasterizer, int32_t x, int32_t y, int32_t width, const char16_t* text);

}  // namespace tesk::game::gui
