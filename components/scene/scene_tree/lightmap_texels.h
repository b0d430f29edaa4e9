// The texel arithmetic of lightmap baking, on buffers of texel words (static_lit_mesh_calls.h):
// byte 0 red, byte 1 green, byte 2 blue, byte 3 the unlit mark.
#pragma once

#include <cstdint>
#include <vector>

#include "kivo/static_lit_mesh/static_lit_mesh_calls.h"

namespace tesk::scene_tree {

// The ambient colour as an unlit texel: each channel 255 x its value, truncated and clamped into
// 0 to 255 on its own, so that no channel spills into another.
uint32_t AmbientTexel(const RTFColorRGB& ambient);

void FillLightmap(uint32_t* buffer, uint32_t value, uint64_t count);

// The texel lit by one sample of a light's colour (0 to 1 a channel): each channel becomes
// trunc(channel + 255 x colour), clamped into 0 to 255; the mark is cleared.
uint32_t AddLight(uint32_t texel, float red, float green, float blue);

// The sums of six-sample lighting: each sample adds 255 x its colour to each sum, truncated.
struct SampleSums {
  int32_t red = 0;
  int32_t green = 0;
  int32_t blue = 0;
  void Add(float r, float g, float b);
};
// The texel lit by the sums: unchanged when all are 0, else each channel + its sum / 6, clamped
// into 0 to 255; the mark is cleared either way.
uint32_t AddSamples(uint32_t texel, const SampleSums& sums);

// Every texel of the buffer marked lit: a marked texel takes the mean of its unmarked neighbours
// among the eight around it, or keeps its colour when it has none. One sweep over the texels as
// they were.
std::vector<uint32_t> Dilate(const uint32_t* texels, uint32_t stride, uint32_t rows);

// The 3 x 3 box filter over the texels inside the lightmap's width and height but its border:
// each channel the mean of the block around the texel, truncated, the mark cleared; every other
// texel as it was.
std::vector<uint32_t> Filter(const uint32_t* texels, const Lightmap& lightmap);

}  // namespace tesk::scene_tree
