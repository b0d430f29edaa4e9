// What the wheel, the keys and the mouse code share: the camera's zoom step and the tool tip.
#pragma once

#include <cstdint>

#include "game_record.h"

namespace tesk::game {

// zoom += step; with clamping on, kept within [minimum, maximum] (the maximum tested first).
void ZoomCamera(GamePrivateData& game, float step);

// Shows the tool tip at (x, y): the word argument and the float argument are stored for the frame
// (its width and its delay); the start time moves to the game clock only when the text changes
// (ignoring ASCII case), so a tip that stays keeps its delay running.
void ShowToolTip(GamePrivateData& game, int32_t x, int32_t y, const char16_t* text, float delay, int32_t width);

}  // namespace tesk::game
