// Framed drawing with the skin's element image: nine-slice frames in the skin's styles (corners
// mirrored from one corner piece, edges stretched from one texel column or row, the centre
// filled), the two HUD boxes, button frames and tabs. Every operation leaves texturing and
// blending off; DrawSkinFrameB and DrawSkinFrameC also leave the depth test on.
#pragma once

#include <cstdint>

#include "kivo/types.h"
#include "widget.h"

namespace tesk::game::gui {

enum class FrameStyle { kTeal, kNavy, kBlack, kSlate, kThinTeal, kThinNavy, kList };

// The black frame's centre is blended (drawn before blending goes off); the others' are opaque.
void DrawSkinFrame(RTInstance rasterizer, FrameStyle style, int32_t x, int32_t y, int32_t w, int32_t h);
// The HUD box with its bottom edge open in the middle for the bubble's pointer at (x + w / 2 - 17,
// y + h - 6), and its centre a little larger than the corners leave.
void DrawSkinFrameB(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h);
// The same box closed, without the pointer.
void DrawSkinFrameC(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h);
// A button's frame in the colour the caller set, its centre in `fill`.
void DrawButtonFrame(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h, const Colour& fill);
// A tab's top: two corners and the edge between them, no fill and no bottom.
void DrawPageTab(RTInstance rasterizer, int32_t x, int32_t y, int32_t w);
void DrawTitleTab(RTInstance rasterizer, int32_t x, int32_t y, int32_t w);

}  // namespace tesk::game::gui
