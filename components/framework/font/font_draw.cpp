// Drawing a font's glyphs through the rasterizer: one textured quad per visible code, its cell
// cut from the sheet (the texture holds the sheet's top row at v = 1).
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "font_state.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_calls.h"

namespace font {

namespace {

namespace r = kivo::rasterizer;

// Codes with nothing to draw: spaces and the control codes.
bool Visible(uint8_t code) { return code > ' ' && !(code >= 0x7F && code < 0xA0); }

bool MakeTexture(FontState& font) {
  if (font.texture) return true;
  RTInstance rasterizer = nullptr;
  if (!kivo::ModuleCore()->GetFirstInstanceByString(nullptr, r::kClassName, &rasterizer, 0, nullptr)) {
    kivo::RaiseFormatted(kivo::kLevelError, u"RTFont::DrawText()... there is no rasterizer to draw with");
    return false;
  }
  kivo::InstanceRef held(rasterizer);
  kivo::InstanceRef sheet;
  uint32_t texture = 0;
  if (!kivo::memory_stream::CreateWith(font.data.sheet.data(), static_cast<uint32_t>(font.data.sheet.size()),
                                       sheet.out()) ||
      !r::CreateTextureFromImage(rasterizer, sheet.get(), &texture, GL_CLAMP_TO_EDGE, GL_CLAMP_TO_EDGE, GL_LINEAR,
                                 GL_LINEAR, 0))
    return false;
  font.rasterizer = held.Take();
  font.texture = texture;
  return true;
}

struct Cell {
  float u0, vTop, u1, vBottom;
};

Cell CellOf(const FontMetrics& m, uint8_t code) {
  const uint32_t perRow = CellsPerRow(m.cellWidth, m.textureWidth);
  const float x = float(code % perRow * m.cellWidth);
  const float y = float(code / perRow * m.cellHeight);
  const float w = float(m.textureWidth);
  const float h = float(m.textureHeight);
  return {x / w, (h - y) / h, (x + float(m.cellWidth)) / w, (h - y - float(m.cellHeight)) / h};
}

}  // namespace

int32_t FontState::lineHeight() const {
  return std::max(1, static_cast<int32_t>(std::lround(float(data.metrics.lineHeight) * scale())));
}

bool DrawPlaced(FontState& font, const std::vector<PlacedLine>& lines, const float* rgb) {
  if (!rgb || !MakeTexture(font)) return false;
  const FontMetrics& m = font.data.metrics;
  const Layout layout = font.layout();
  const float scale = font.scale();
  const float cellWidth = float(m.cellWidth) * scale;
  const float cellHeight = float(m.cellHeight) * scale;
  const float cellLeft = float(m.originX) * scale;
  const auto cellTop = static_cast<float>(std::lround((float(m.ascent) - float(m.originY)) * scale));
  RTInstance r = font.rasterizer;
  // The glyphs' cells overlap: without the depth test no glyph hides its neighbour.
  bool drawn = r::EnableDepthTest(r, 0) && r::SelectTextureUnit(r, 0) && r::EnableTexturing(r, 1) &&
               r::BindTexture(r, font.texture) &&
               r::EnableBlending(r, 1) && r::SetBlendFunc(r, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA) &&
               r::SetColor(r, rgb[0], rgb[1], rgb[2]) && r::BeginPrimitive(r, r::kBatchQuads);
  for (const PlacedLine& placed : lines) {
    float pen = 0;
    for (size_t i = placed.line.begin; drawn && i < placed.line.end; ++i) {
      const uint8_t code = (*placed.codes)[i];
      const float left = float(placed.x) + std::round(pen - cellLeft);
      const float top = float(placed.top) + cellTop;
      pen += layout.Advance(code);
      const bool offScreen = font.screenWidth && font.screenHeight &&
                             (left >= float(font.screenWidth) || top >= float(font.screenHeight) ||
                              left + cellWidth <= 0 || top + cellHeight <= 0);
      if (!Visible(code) || offScreen) continue;
      const Cell c = CellOf(m, code);
      drawn = r::TexCoord(r, 0, c.u0, c.vTop) && r::Vertex3(r, left, top, 0.0f) &&
              r::TexCoord(r, 0, c.u0, c.vBottom) && r::Vertex3(r, left, top + cellHeight, 0.0f) &&
              r::TexCoord(r, 0, c.u1, c.vBottom) && r::Vertex3(r, left + cellWidth, top + cellHeight, 0.0f) &&
              r::TexCoord(r, 0, c.u1, c.vTop) && r::Vertex3(r, left + cellWidth, top, 0.0f);
    }
  }
  drawn = r::EndPrimitive(r) && drawn;
  r::EnableBlending(r, 0);
  r::EnableTexturing(r, 0);
  r::EnableDepthTest(r, 1);
  return drawn;
}

void ReleaseTexture(FontState& font) {
  if (font.rasterizer) {
    if (font.texture) r::DestroyTexture(font.rasterizer, font.texture);
    kivo::ModuleCore()->ReleaseInstance(nullptr, font.rasterizer);
  }
  font.rasterizer = nullptr;
  font.texture = 0;
}

}  // namespace font
