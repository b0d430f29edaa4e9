#include "lightmap_texels.h"

#include <algorithm>

#include "kivo/support/numeric.h"

namespace tesk::scene_tree {

namespace {

constexpr uint32_t kChannels = 3;

uint32_t Channel(uint32_t texel, uint32_t channel) { return (texel >> (8 * channel)) & 0xFF; }

int32_t ClampChannel(int64_t value) { return static_cast<int32_t>(std::clamp<int64_t>(value, 0, 255)); }

// A lit texel of the three channels.
uint32_t Texel(const int32_t channels[kChannels]) {
  return static_cast<uint32_t>(channels[0]) | static_cast<uint32_t>(channels[1]) << 8 |
         static_cast<uint32_t>(channels[2]) << 16;
}

// 255 x the value, truncated, in float as the baker works.
int32_t Scaled(float base, float value) { return kivo::FloatToInt<int32_t>(base + 255.0f * value); }

}  // namespace

uint32_t AmbientTexel(const RTFColorRGB& ambient) {
  const int32_t channels[kChannels] = {ClampChannel(Scaled(0.0f, ambient.r)), ClampChannel(Scaled(0.0f, ambient.g)),
                                       ClampChannel(Scaled(0.0f, ambient.b))};
  return Texel(channels) | kivo::static_lit_mesh::kUnlitMark;
}

void FillLightmap(uint32_t* buffer, uint32_t value, uint64_t count) { std::fill(buffer, buffer + count, value); }

uint32_t AddLight(uint32_t texel, float red, float green, float blue) {
  const float colour[kChannels] = {red, green, blue};
  int32_t channels[kChannels];
  for (uint32_t c = 0; c < kChannels; ++c)
    channels[c] = ClampChannel(Scaled(static_cast<float>(Channel(texel, c)), colour[c]));
  return Texel(channels);
}

void SampleSums::Add(float r, float g, float b) {
  red = Scaled(static_cast<float>(red), r);
  green = Scaled(static_cast<float>(green), g);
  blue = Scaled(static_cast<float>(blue), b);
}

uint32_t AddSamples(uint32_t texel, const SampleSums& sums) {
  const int32_t added[kChannels] = {sums.red, sums.green, sums.blue};
  const bool none = sums.red == 0 && sums.green == 0 && sums.blue == 0;
  int32_t channels[kChannels];
  for (uint32_t c = 0; c < kChannels; ++c)
    channels[c] = ClampChannel(int64_t{Channel(texel, c)} + (none ? 0 : added[c] / 6));
  return Texel(channels);
}

std::vector<uint32_t> Dilate(const uint32_t* texels, uint32_t stride, uint32_t rows) {
  std::vector<uint32_t> dilated(size_t{stride} * rows);
  for (uint32_t y = 0; y < rows; ++y)
    for (uint32_t x = 0; x < stride; ++x) {
      const uint32_t texel = texels[size_t{y} * stride + x];
      uint32_t& out = dilated[size_t{y} * stride + x];
      out = texel & ~kivo::static_lit_mesh::kUnlitMark;
      if (!(texel & kivo::static_lit_mesh::kUnlitMark)) continue;
      int64_t sums[kChannels] = {};
      int64_t count = 0;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const int64_t nx = int64_t{x} + dx, ny = int64_t{y} + dy;
          if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= stride || ny >= rows) continue;
          const uint32_t neighbour = texels[ny * stride + nx];
          if (neighbour & kivo::static_lit_mesh::kUnlitMark) continue;
          for (uint32_t c = 0; c < kChannels; ++c) sums[c] += Channel(neighbour, c);
          ++count;
        }
      if (count == 0) continue;
      int32_t channels[kChannels];
      for (uint32_t c = 0; c < kChannels; ++c) channels[c] = ClampChannel(sums[c] / count);
      out = Texel(channels);
    }
  return dilated;
}

std::vector<uint32_t> Filter(const uint32_t* texels, const Lightmap& lightmap) {
  const uint32_t stride = lightmap.stride;
  std::vector<uint32_t> filtered(texels, texels + size_t{stride} * lightmap.bufferRows);
  for (uint32_t y = 1; y + 1 < lightmap.height; ++y)
    for (uint32_t x = 1; x + 1 < lightmap.width; ++x) {
      int64_t sums[kChannels] = {};
      for (uint32_t by = y - 1; by <= y + 1; ++by)
        for (uint32_t bx = x - 1; bx <= x + 1; ++bx)
          for (uint32_t c = 0; c < kChannels; ++c) sums[c] += Channel(texels[size_t{by} * stride + bx], c);
      int32_t channels[kChannels];
      for (uint32_t c = 0; c < kChannels; ++c) channels[c] = static_cast<int32_t>(sums[c] / 9);
      filtered[size_t{y} * stride + x] = Texel(channels);
    }
  return filtered;
}

}  // namespace tesk::scene_tree
