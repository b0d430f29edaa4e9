// What one font instance keeps: its sheet and metrics, the size and bounds its callers set, the
// subtitle queue and box, and the texture made from the sheet at the first draw (with the
// rasterizer that made it, held until the texture is given back).
#pragma once

#include "font_data.h"
#include "kivo/types.h"
#include "subtitle_queue.h"
#include "text_layout.h"

namespace font {

struct Box {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

struct FontState {
  FontData data;
  bool loaded = false;
  uint32_t size = 0;  // drawn pixel size
  int32_t wrapWidth = 0;
  int32_t clipHeight = 0;
  uint32_t screenWidth = 0;
  uint32_t screenHeight = 0;
  Box textBox;
  SubtitleQueue queue;
  RTInstance rasterizer = nullptr;
  uint32_t texture = 0;

  float scale() const { return data.metrics.sheetSize ? float(size) / float(data.metrics.sheetSize) : 1.0f; }
  Layout layout() const { return Layout(data.metrics.advances, scale()); }
  int32_t lineHeight() const;
};

// A line placed on the screen: its codes and where its top left lies.
struct PlacedLine {
  const Codes* codes;
  Line line;
  int32_t x;
  int32_t top;
};

// Draws the lines in one batch of glyph quads in the colour (red, green, blue), making the
// texture first when there is none.
bool DrawPlaced(FontState& font, const std::vector<PlacedLine>& lines, const float* rgb);
// Gives the texture back to the rasterizer that made it.
void ReleaseTexture(FontState& font);

}  // namespace font
