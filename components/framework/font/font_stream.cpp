// The font's stream form, little-endian:
//
//   u32 version                     1
//   u32 sheet size                  pixels the glyphs were rasterised at
//   u32 cell width, cell height
//   u32 texture width, height       the sheet's size
//   u32 origin x, origin y          the pen's place in a cell
//   u32 ascent, line height
//   f32 x 256                       advances at the sheet size
//   u32 n, then n bytes             the sheet as a PNG file
//
// Reading refuses, with nothing taken: a newer version, a cut-off stream, cells that do not make
// a grid of 256 in the texture, an origin outside the cell, a line height of 0, advances that are
// negative, not finite or wider than four cells, a sheet longer than the stream or the limit, and
// a sheet that is no PNG of the texture's size.
#include <algorithm>
#include <bit>
#include <cmath>

#include "font_data.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"

namespace font {

namespace {

constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr size_t kPngHeaderBytes = 24;  // signature, IHDR length and name, width, height

uint32_t BigEndian(const uint8_t* bytes) {
  return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | bytes[3];
}

bool Fail(std::string* why, const std::string& reason) {
  *why = reason;
  return false;
}

}  // namespace

uint32_t CellsPerRow(uint32_t cellWidth, uint32_t textureWidth) {
  return cellWidth ? textureWidth / cellWidth : 0;
}

bool GridFits(uint32_t cellWidth, uint32_t cellHeight, uint32_t textureWidth, uint32_t textureHeight) {
  const uint32_t perRow = CellsPerRow(cellWidth, textureWidth);
  if (!perRow || !cellHeight || textureWidth > kMaxTextureSide || textureHeight > kMaxTextureSide) return false;
  const uint64_t rows = (kCodes + perRow - 1) / perRow;
  return rows * cellHeight <= textureHeight;
}

bool CheckFont(const FontData& font, std::string* why) {
  const FontMetrics& m = font.metrics;
  if (!m.sheetSize) return Fail(why, "its sheet size is 0");
  if (!GridFits(m.cellWidth, m.cellHeight, m.textureWidth, m.textureHeight))
    return Fail(why, "cells of " + std::to_string(m.cellWidth) + " x " + std::to_string(m.cellHeight) +
                         " make no grid of 256 in " + std::to_string(m.textureWidth) + " x " +
                         std::to_string(m.textureHeight));
  if (m.originX >= m.cellWidth || m.originY > m.cellHeight) return Fail(why, "the pen's origin lies outside the cell");
  if (!m.lineHeight || m.lineHeight > 4 * m.cellHeight || m.ascent > m.lineHeight)
    return Fail(why, "the line height or ascent does not fit the cells");
  for (const float advance : m.advances)
    if (!std::isfinite(advance) || advance < 0 || advance > 4.0f * m.cellWidth)
      return Fail(why, "an advance is not a width of the cells");
  if (font.sheet.size() < kPngHeaderBytes || !std::equal(std::begin(kPngSignature), std::end(kPngSignature),
                                                         font.sheet.begin()))
    return Fail(why, "its sheet is no PNG");
  if (BigEndian(&font.sheet[16]) != m.textureWidth || BigEndian(&font.sheet[20]) != m.textureHeight)
    return Fail(why, "its sheet is not " + std::to_string(m.textureWidth) + " x " + std::to_string(m.textureHeight));
  return true;
}

bool WriteFontStream(RTInstance stream, const FontData& font) {
  const FontMetrics& m = font.metrics;
  for (const uint32_t word : {kFontStreamVersion, m.sheetSize, m.cellWidth, m.cellHeight, m.textureWidth,
                              m.textureHeight, m.originX, m.originY, m.ascent, m.lineHeight})
    if (!kivo::StreamWriteUInt(stream, word)) return false;
  for (const float advance : m.advances)
    if (!kivo::StreamWriteFloat(stream, advance)) return false;
  const auto bytes = static_cast<uint32_t>(font.sheet.size());
  uint32_t written = 0;
  return kivo::StreamWriteUInt(stream, bytes) &&
         (!bytes || (kivo::stream::Write(stream, font.sheet.data(), bytes, &written) && written == bytes));
}

bool ReadFontStream(RTInstance stream, FontData* font, std::string* why) {
  uint32_t version = 0;
  if (!kivo::StreamReadUInt(stream, &version)) return Fail(why, "the stream ends before the version");
  if (version > kFontStreamVersion) return Fail(why, "Version is newer than reader");
  FontData read;
  FontMetrics& m = read.metrics;
  for (uint32_t* word : {&m.sheetSize, &m.cellWidth, &m.cellHeight, &m.textureWidth, &m.textureHeight, &m.originX,
                         &m.originY, &m.ascent, &m.lineHeight})
    if (!kivo::StreamReadUInt(stream, word)) return Fail(why, "the stream ends inside the metrics");
  for (float& advance : m.advances) {
    uint32_t bits = 0;
    if (!kivo::StreamReadUInt(stream, &bits)) return Fail(why, "the stream ends inside the advances");
    advance = std::bit_cast<float>(bits);
  }
  uint32_t bytes = 0;
  uint32_t remaining = 0;
  if (!kivo::StreamReadUInt(stream, &bytes)) return Fail(why, "the stream ends before the sheet");
  if (bytes > kMaxSheetBytes || !kivo::stream::Remaining(stream, &remaining) || bytes > remaining)
    return Fail(why, "a sheet of " + std::to_string(bytes) + " bytes is more than the stream holds");
  read.sheet.resize(bytes);
  uint32_t got = 0;
  if (bytes && (!kivo::stream::Read(stream, read.sheet.data(), bytes, &got) || got != bytes))
    return Fail(why, "the stream ends inside the sheet");
  if (!CheckFont(read, why)) return false;
  *font = std::move(read);
  return true;
}

}  // namespace font
