#include "hud_sheet_art.h"

#include <string>

namespace tesk::art {

namespace {

constexpr int kMarkSide = 2;
constexpr int kTextHeight = 7;

void DrawSprite(Canvas& sheet, int index, const game::HudIconRecord& icon) {
  const int w = icon.x1 - icon.x0, h = icon.y1 - icon.y0;
  if (w <= 0 || h <= 0) return;
  const Rgba colour = IndexColour(index);
  sheet.Fill(icon.x0, icon.y0, w, h, Mix(colour, kNavy, 0.45f));
  sheet.Frame(icon.x0, icon.y0, w, h, 1, colour);
  const std::string label = std::to_string(index);
  if (w >= Canvas::TextWidth(1, label) + 4 && h >= kTextHeight + 6)
    sheet.CentredText(icon.x0 + w / 2, icon.y0 + (h - kTextHeight) / 2, 1, label, kWhite);
  sheet.Fill(icon.x0, icon.y0, std::min(kMarkSide, w), std::min(kMarkSide, h), kWhite);
}

}  // namespace

void DrawHudSprites(Canvas& sheet, int32_t code) {
  for (int index = 0; index < game::kHudIconCount; ++index)
    if (game::kHudIconTable[index].sheet == code) DrawSprite(sheet, index, game::kHudIconTable[index]);
}

Canvas HudSheetImage(const game::HudSheet& sheet) {
  Canvas image(sheet.texels, sheet.texels);
  DrawHudSprites(image, sheet.code);
  return image;
}

}  // namespace tesk::art
