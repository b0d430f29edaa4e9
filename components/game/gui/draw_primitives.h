// The quads the toolkit draws in screen space, in the rasterizer's immediate batches: textured
// quads cut from a skin image (straight, mirrored, rotated, or one texel row or column stretched),
// solid quads and outlines. x, y, w and h are screen pixels, y growing down; every vertex has z 0.
// Texture, colour and blending are the caller's unless an operation says otherwise.
#pragma once

#include <cstdint>

#include "kivo/types.h"
#include "widget.h"

namespace tesk::game::gui {

// Texture coordinates of a sprite: left u, top v (its top-left pixel corner), right u, bottom v
// (its bottom-right corner). v counts from the image's bottom edge.
struct UvRect {
  float left;
  float top;
  float right;
  float bottom;
};

// Corners (x, y), (x, y + h), (x + w, y + h), (x + w, y) in that order take (L, T), (L, B), (R, B),
// (R, T); the mirrored forms swap L and R, T and B, or both.
void DrawTexturedQuad(RTInstance rasterizer, const UvRect& uv, int32_t x, int32_t y, int32_t w, int32_t h);
void DrawTexturedQuadMirrorX(RTInstance rasterizer, const UvRect& uv, int32_t x, int32_t y, int32_t w, int32_t h);
void DrawTexturedQuadMirrorY(RTInstance rasterizer, const UvRect& uv, int32_t x, int32_t y, int32_t w, int32_t h);
void DrawTexturedQuadMirrorXY(RTInstance rasterizer, const UvRect& uv, int32_t x, int32_t y, int32_t w, int32_t h);
// As DrawTexturedQuad with each corner turned about (x, y) by the angle (radians).
void DrawRotatedTexturedQuad(RTInstance rasterizer, const UvRect& uv, int32_t x, int32_t y, int32_t w, int32_t h,
                             float angle);
// One texel row (v) stretched down the height, from left u to right u.
void DrawRowStretchQuad(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h, float leftU, float rightU,
                        float v);
// One texel column (u) stretched across the width, from top v to bottom v.
void DrawColumnStretchQuad(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h, float u, float topV,
                           float bottomV);
// A quad in the colour (red, green, blue and alpha).
void DrawSolidQuad(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h, const Colour& colour);
// The rectangle's outline as a closed line strip, in the colour's red, green and blue.
void DrawRectOutline(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h, const Colour& colour);

}  // namespace tesk::game::gui
