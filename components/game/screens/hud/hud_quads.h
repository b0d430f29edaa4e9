// What the HUD's routines share: the states a textured HUD piece starts with, the states every
// HUD routine leaves, and a screen quad with a texture coordinate at each corner.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace tesk::game {

struct TexturePoint {
  float s;
  float t;
};

// Lighting and depth test off, texture unit 0, texturing and blending on with the normal blend
// (source alpha, one minus source alpha).
void BeginTexturedHudPiece(RTInstance rasterizer);
// Blending and texturing off, lighting and depth test on.
void EndHudPiece(RTInstance rasterizer);
// One quad batch with the corners (x, y), (x, y + h), (x + w, y + h), (x + w, y) in that order,
// z 0, each after its texture coordinate of unit 0.
void DrawTexturedHudQuad(RTInstance rasterizer, int32_t x, int32_t y, int64_t w, int64_t h,
                         const TexturePoint (&corners)[4]);
// The screen coordinate of a position plus a size, for every pair of 32-bit values.
float ScreenSum(int32_t position, int64_t size);
// A position moved by a few pixels, wrapping as 32-bit unsigned arithmetic does.
int32_t Moved(int32_t position, int32_t by);

}  // namespace tesk::game
