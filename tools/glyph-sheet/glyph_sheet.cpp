#include "glyph_sheet.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <memory>

namespace glyphsheet {

namespace {

// Empty pixels round every glyph in its cell, so filtering never takes a neighbour's.
constexpr int kMargin = 1;
constexpr uint32_t kSmallestSize = 4;

// Codes with a glyph: the printable ones of Latin-1.
bool Printable(uint32_t code) { return code >= 0x20 && !(code >= 0x7F && code < 0xA0); }

struct Library {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~Library() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

// Where ink lies about the pen over all printable codes, in pixels (y up).
struct InkBounds {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;  // below the baseline, as a positive depth
};

bool Render(FT_Face face, uint32_t code) {
  const FT_UInt index = FT_Get_Char_Index(face, code);
  return index && FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_RENDER) == 0;
}

InkBounds Measure(FT_Face face) {
  InkBounds ink;
  for (uint32_t code = 0; code < 256; ++code) {
    if (!Printable(code) || !Render(face, code)) continue;
    const FT_GlyphSlot g = face->glyph;
    if (g->bitmap.width == 0 || g->bitmap.rows == 0) continue;
    ink.left = std::min(ink.left, g->bitmap_left);
    ink.right = std::max(ink.right, g->bitmap_left + static_cast<int>(g->bitmap.width));
    ink.top = std::max(ink.top, g->bitmap_top);
    ink.bottom = std::max(ink.bottom, static_cast<int>(g->bitmap.rows) - g->bitmap_top);
  }
  return ink;
}

// The glyph's coverage, and for an outline its one-pixel growth, composed into the cell.
void Place(const FT_GlyphSlot g, const SheetRequest& request, int penX, int penY, std::vector<uint8_t>* rgba) {
  const int width = static_cast<int>(request.textureWidth);
  const int outline = request.outline ? 1 : 0;
  const int left = penX + g->bitmap_left;
  const int top = penY - g->bitmap_top;
  auto coverage = [&](int x, int y) -> int {
    const int bx = x - left;
    const int by = y - top;
    if (bx < 0 || by < 0 || bx >= static_cast<int>(g->bitmap.width) || by >= static_cast<int>(g->bitmap.rows)) return 0;
    return g->bitmap.buffer[by * g->bitmap.pitch + bx];
  };
  for (int y = top - outline; y < top + static_cast<int>(g->bitmap.rows) + outline; ++y)
    for (int x = left - outline; x < left + static_cast<int>(g->bitmap.width) + outline; ++x) {
      const int glyph = coverage(x, y);
      int grown = glyph;
      for (int dy = -outline; dy <= outline; ++dy)
        for (int dx = -outline; dx <= outline; ++dx) grown = std::max(grown, coverage(x + dx, y + dy));
      if (!grown) continue;
      uint8_t* pixel = rgba->data() + (static_cast<size_t>(y) * width + x) * 4;
      const auto light = static_cast<uint8_t>(255 * glyph / grown);
      pixel[0] = pixel[1] = pixel[2] = light;
      pixel[3] = static_cast<uint8_t>(grown);
    }
}

}  // namespace

bool MakeSheet(const SheetRequest& request, Sheet* sheet, std::string* error) {
  const uint32_t perRow = request.cellWidth ? request.textureWidth / request.cellWidth : 0;
  if (!perRow || !request.cellHeight || (256 + perRow - 1) / perRow * request.cellHeight > request.textureHeight) {
    *error = request.name + ": 256 cells do not fit the texture";
    return false;
  }
  Library ft;
  if (FT_Init_FreeType(&ft.library) || FT_New_Face(ft.library, request.face.c_str(), 0, &ft.face)) {
    *error = request.name + ": cannot read the face " + request.face.string();
    return false;
  }
  const int outline = request.outline ? 1 : 0;
  for (uint32_t size = request.size; size >= kSmallestSize; --size) {
    if (FT_Set_Pixel_Sizes(ft.face, 0, size)) continue;
    const InkBounds ink = Measure(ft.face);
    const int originX = kMargin + outline - std::min(ink.left, 0);
    const int originY = kMargin + outline + ink.top;
    if (originX + ink.right + outline + kMargin > static_cast<int>(request.cellWidth) ||
        originY + ink.bottom + outline + kMargin > static_cast<int>(request.cellHeight))
      continue;
    const FT_Size_Metrics& metrics = ft.face->size->metrics;
    Sheet made;
    made.size = size;
    made.originX = static_cast<uint32_t>(originX);
    made.originY = static_cast<uint32_t>(originY);
    // A line holds all ink: the baseline at least as low as the highest ink, the line as deep as
    // the lowest.
    const int ascent = std::max(static_cast<int>(metrics.ascender >> 6), ink.top + outline);
    made.ascent = static_cast<uint32_t>(ascent);
    made.lineHeight = static_cast<uint32_t>(std::max(static_cast<int>(metrics.height >> 6), ascent + ink.bottom + outline));
    made.rgba.assign(size_t{request.textureWidth} * request.textureHeight * 4, 0);
    for (uint32_t code = 0; code < 256; ++code) {
      if (!Printable(code) || !Render(ft.face, code)) continue;
      made.advances[code] = static_cast<float>((ft.face->glyph->advance.x >> 6) + outline);
      const int cellX = static_cast<int>(code % perRow * request.cellWidth);
      const int cellY = static_cast<int>(code / perRow * request.cellHeight);
      Place(ft.face->glyph, request, cellX + originX, cellY + originY, &made.rgba);
    }
    *sheet = std::move(made);
    return true;
  }
  *error = request.name + ": no size of the face fits cells of " + std::to_string(request.cellWidth) + " x " +
           std::to_string(request.cellHeight);
  return false;
}

}  // namespace glyphsheet
