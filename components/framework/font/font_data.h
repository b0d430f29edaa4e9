// A font's content: its glyph sheet (a PNG of 256 cells, codes 0 to 255 row by row) and the
// metrics to cut and place it. The font component reads and writes it; kivopack writes it from
// what the glyph-sheet tool made.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "kivo/types.h"

namespace font {

inline constexpr uint32_t kCodes = 256;
inline constexpr uint32_t kFontStreamVersion = 1;
// No sheet of the game comes near these.
inline constexpr uint32_t kMaxTextureSide = 4096;
inline constexpr uint32_t kMaxSheetBytes = 16u << 20;

struct FontMetrics {
  uint32_t sheetSize = 0;  // the pixel size the glyphs were rasterised at
  uint32_t cellWidth = 0;
  uint32_t cellHeight = 0;
  uint32_t textureWidth = 0;  // the sheet's size
  uint32_t textureHeight = 0;
  uint32_t originX = 0;  // the pen's place in every cell: pixels from its left edge
  uint32_t originY = 0;  // and from its top edge (on the baseline)
  uint32_t ascent = 0;   // from the top of a line to its baseline
  uint32_t lineHeight = 0;
  std::array<float, kCodes> advances{};  // pixels at the sheet size
};

struct FontData {
  FontMetrics metrics;
  std::vector<uint8_t> sheet;  // the PNG file
};

// Cells per row of a texture width; the grid fits when 256 cells do.
uint32_t CellsPerRow(uint32_t cellWidth, uint32_t textureWidth);
bool GridFits(uint32_t cellWidth, uint32_t cellHeight, uint32_t textureWidth, uint32_t textureHeight);

// Checks metrics and sheet together; false with the reason.
bool CheckFont(const FontData& font, std::string* why);

// The stream form, documented in font_stream.cpp. Reading fills `font` only when all of it is
// sound; the reason of a refusal is handed back.
bool WriteFontStream(RTInstance stream, const FontData& font);
bool ReadFontStream(RTInstance stream, FontData* font, std::string* why);

}  // namespace font
