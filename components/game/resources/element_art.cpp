#include "element_art.h"

#include <cmath>

#include "hud_sheet_art.h"
#include "skin_piece_table.h"

namespace tesk::art {

namespace {

namespace gui = tesk::game::gui;

constexpr int kElementSide = 128;
constexpr int kCharacterSide = 512;
constexpr int kMarkerSide = 2;

// The pixels a rectangle's coordinates cover, first to last: up to the far corner, or the texel a
// half-pixel coordinate names.
struct Span {
  int first;
  int last;
};

Span Covered(float from, float to) {
  const int first = static_cast<int>(std::floor(from));
  const int last = to == std::floor(to) ? static_cast<int>(to) - 1 : static_cast<int>(std::floor(to));
  return {first, std::max(first, last)};
}

struct FrameArt {
  Rgba border;
  Rgba fill;
};

// By the pixel table's records; the thin frame serves the teal and the navy styles alike.
constexpr Rgba kBlackFill = {0, 0, 0, 204};
constexpr Rgba kSlate = {37, 57, 81, 255};
constexpr Rgba kList = {7, 25, 51, 255};
constexpr Rgba kSilver = {190, 200, 210, 255};
constexpr FrameArt kFrameArt[gui::kFrameRecordCount] = {
    {kGold, kTeal}, {kSilver, kNavy}, {kGold, kBlackFill}, {kSilver, kSlate}, {kGold, kTeal},
    {kGold, kNavy}, {kSilver, kList}, {kSilver, kList},    {kSilver, kList},
};

// The colour at `depth` pixels in from the frame's outer side.
Rgba Band(const FrameArt& art, int depth, int bandWidth) { return depth < bandWidth ? art.border : art.fill; }

void DrawFrameRecord(Canvas& c, const gui::FramePixels& pixels, int size, const FrameArt& art) {
  const int band = std::max(1, pixels.width[size] / 6);
  const gui::PixelRect& corner = pixels.corner[size];
  const Span cx = Covered(corner.x0, corner.x1), cy = Covered(corner.y0, corner.y1);
  for (int y = cy.first; y <= cy.last; ++y)
    for (int x = cx.first; x <= cx.last; ++x) c.Set(x, y, Band(art, std::min(x - cx.first, y - cy.first), band));
  c.Fill(cx.first, cy.first, kMarkerSide, kMarkerSide, kWhite);
  const gui::PixelRect& top = pixels.topEdge[size];
  const Span tx = Covered(top.x0, top.x1), ty = Covered(top.y0, top.y1);
  for (int y = ty.first; y <= ty.last; ++y)
    for (int x = tx.first; x <= tx.last; ++x) c.Set(x, y, Band(art, y - ty.first, band));
  const gui::PixelRect& side = pixels.sideEdge[size];
  if (side.x1 == 0 && side.y1 == 0) return;
  const Span sx = Covered(side.x0, side.x1), sy = Covered(side.y0, side.y1);
  for (int y = sy.first; y <= sy.last; ++y)
    for (int x = sx.first; x <= sx.last; ++x) c.Set(x, y, Band(art, x - sx.first, band));
}

// A plain sprite filling its rectangle: a light face in a darker rim.
void DrawSprite(Canvas& c, const gui::PixelRect& rect, Rgba face) {
  const Span x = Covered(rect.x0, rect.x1), y = Covered(rect.y0, rect.y1);
  const int w = x.last - x.first + 1, h = y.last - y.first + 1;
  c.Fill(x.first, y.first, w, h, Mix(face, kNavy, 0.4f));
  if (w > 2 && h > 2) c.Fill(x.first + 1, y.first + 1, w - 2, h - 2, face);
}

Canvas ElementSheet(int size) {
  Canvas sheet(kElementSide, kElementSide);
  for (int i = 0; i < gui::kFrameRecordCount; ++i) DrawFrameRecord(sheet, gui::kFramePixels[i], size, kFrameArt[i]);
  for (int i = 0; i < gui::kPairCount; ++i) {
    DrawSprite(sheet, gui::kPairPixels[i].first[size], IndexColour(2 * i));
    DrawSprite(sheet, gui::kPairPixels[i].second[size], IndexColour(2 * i + 1));
  }
  DrawSprite(sheet, gui::kBubblePointerPixels[size], {10, 49, 84, 255});
  if (size == 0) DrawHudSprites(sheet, game::kSkinElementsSheet);
  return sheet;
}

Canvas CharacterSheet() {
  Canvas sheet = IconSheet(96, kCharacterSide);
  for (const gui::PixelRect& piece : {gui::kProgressBarPieceAPixels, gui::kProgressBarPieceBPixels,
                                      gui::kColorBoxPiecePixels, gui::kSliderKnobPixels})
    sheet.Fill(static_cast<int>(piece.x0), static_cast<int>(piece.y0), static_cast<int>(piece.x1 - piece.x0),
               static_cast<int>(piece.y1 - piece.y0), kClear);
  // The colour box's frame: a ring around the swatch, clear inside.
  const gui::PixelRect& box = gui::kColorBoxPiecePixels;
  sheet.Frame(static_cast<int>(box.x0) + 3, static_cast<int>(box.y0) + 3, 23, 23, 3, kSilver);
  DrawSprite(sheet, gui::kSliderKnobPixels, kGold);
  DrawSprite(sheet, gui::kProgressBarPieceAPixels, {40, 200, 90, 255});
  DrawSprite(sheet, gui::kProgressBarPieceBPixels, {200, 60, 60, 255});
  return sheet;
}

// Faint scan lines: the form adds it over its frame.
Canvas XrayOverlay() {
  Canvas overlay(kElementSide, kElementSide, {0, 0, 0, 255});
  for (int y = 0; y < kElementSide; y += 4) overlay.Fill(0, y, kElementSide, 1, {0, 24, 32, 255});
  return overlay;
}

}  // namespace

std::vector<NamedImage> GuiImages() {
  std::vector<NamedImage> images = {{"1024_ELEMENTS", ElementSheet(0)},
                                    {"800_ELEMENTS", ElementSheet(1)},
                                    {"CHARACTER_A", CharacterSheet()},
                                    {"XRAY_OVERLAY", XrayOverlay()}};
  int colour = 100;
  for (const char* name :
       {"MAIN_MENU_ICONS", "ICONS_A", "ICONS_B", "ICONS_C", "ICONS_G", "ATT_FACES", "PERKS", "SECURITY1", "SECURITY2"})
    images.push_back({name, IconSheet(colour += 16, kElementSide)});
  return images;
}

}  // namespace tesk::art
