// A glyph sheet: the 256 Latin-1 codes of a TrueType face rasterised with FreeType into a grid of
// cells, row by row, with the metrics that cut and place them.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace glyphsheet {

struct SheetRequest {
  std::string name;
  std::filesystem::path face;  // a TrueType file
  uint32_t size = 0;           // pixels; lowered until every glyph fits its cell
  uint32_t cellWidth = 0;
  uint32_t cellHeight = 0;
  uint32_t textureWidth = 0;
  uint32_t textureHeight = 0;
  bool outline = false;        // a one-pixel dark outline round every glyph
};

struct Sheet {
  uint32_t size = 0;  // the pixel size the glyphs were rasterised at
  uint32_t originX = 0;
  uint32_t originY = 0;
  uint32_t ascent = 0;
  uint32_t lineHeight = 0;
  std::array<float, 256> advances{};
  std::vector<uint8_t> rgba;  // texture width x height, rows from the top: white glyphs, dark outlines
};

// False with the reason when the face cannot be read or no size fits the cells.
bool MakeSheet(const SheetRequest& request, Sheet* sheet, std::string* error);

}  // namespace glyphsheet
