// resource_art OUT_DIR
// Draws every image of the game's texture table as a PNG file "<RESOURCE>.png" in
// OUT_DIR, for RTTeskGame.resource.json to pack: plain readable art of gradients, framed panels,
// digit strips and coloured icon grids, each labelled with what it is.
//
// Alpha. The game draws some images with the blend (1 - source alpha, source alpha): the digit
// strips, "INTERFACE_PLATE_A" and the loading backdrop "LOADING_A". For those, alpha 0 is where the
// art shows and alpha 255 where what lies beneath shows through ("inverted" below); every other
// image has ordinary alpha.
//
// Orientation. Texture coordinates count v (t) from an image's bottom row up, as GL does: the HUD
// draws its sheets with t0 = (B - y1) / D (y from the sheet's top), so sheets are stored upright.
// The loading screen's quads put v = 0 at their top edge, so its two images are stored upside down
// ("Flipped" below) and show upright; BuildIconAtlasTable's v = row x 57 / 256 counts the powers'
// rows from the bottom.
//
// Layouts the game's tables rely on:
// - "AOI_POWERS": 256 x 256, a 4 x 4 grid of 57-texel cells from the bottom left (the cell of
//   column c and row r spans u from c x 57 / 256 and v from r x 57 / 256, BuildIconAtlasTable).
// - The HUD's icon sheets (the plates, "MAIN_A" to "MAIN_D", "PERK_ICONS", "LEFT_BUTTONS",
//   "RIGHT_BUTTONS", "GENERAL_ICONS", "PORTAL_BALLS_A" and "_B"): D x D texels of the HUD's sheet
//   table (128 x 128 for "INTERFACE_PLATE_B" and "PERK_ICONS", else 256 x 256), each sprite of the
//   HUD icon table drawn at its rectangle (hud_sheet_art.cpp); "CONV_TOPICS" a grid of 32-pixel
//   cells, each a framed square of its own colour with its index.
// - The GUI skin's images, "1024_ELEMENTS" among them (element_art.cpp), which also holds the
//   HUD's sprites of sheet code 18 between the skin's pieces.
// - Digit strips: 16 cells side by side over the whole width, 16 x 16 ("NUMBERS", "RED_NUMBERS",
//   "GREEN_NUMBERS") or 32 x 32 ("BIG_..."); cell n shows n for n = 0 to 10.
// - "LOADING_A": 512 x 512, of which the loading screen shows v from 0 to 0.75 stretched over the
//   window (a 512 x 384 layout, window row y at v = y / 512); alpha 0 everywhere but the window's
//   rows 268 to 373, the band where the sprite runs, which have alpha 255. "LOADING_B": the
//   sprite, 64 x 128, of which v from 0 to 0.75 shows.
// - The start-up screen: four tiles of one 1024 x 768 picture, each 512 x 512: "STARTUP_TL" and
//   "STARTUP_TR" the top 512 rows, "STARTUP_BL" and "STARTUP_BR" the last 256 rows in their upper
//   half (t from 0.5 to 1); the "STARTUP_800_" tiles the same in the colours of the 800-pixel
//   variant.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "canvas.h"
#include "element_art.h"
#include "hud_sheet_art.h"

namespace {

using namespace tesk::art;

// A digit strip: 16 cells of `cell` pixels, cell n showing the number n (0 to 10).
Canvas DigitStrip(int cell, Rgba ink) {
  Canvas strip(16 * cell, cell);
  for (int n = 0; n <= 10; ++n) {
    const int scale = n == 10 ? std::max(1, cell / 16) : cell / 8;  // two digits fit the cell
    strip.CentredText(n * cell + cell / 2, (cell - 7 * scale) / 2, scale, std::to_string(n), ink);
  }
  strip.InvertAlpha();
  return strip;
}

// The area-of-interest powers: 4 x 4 cells of 57 texels from the bottom left, each a disc of its
// own colour with its number (row x 4 + column).
Canvas AoiPowers() {
  constexpr int kCell = 57;
  Canvas sheet(256, 256);
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column) {
      const int index = row * 4 + column;
      const int x = column * kCell, y = sheet.height() - (row + 1) * kCell;
      sheet.Frame(x, y, kCell, kCell, 1, WithAlpha(kWhite, 160));
      Canvas disc(kCell, kCell);
      disc.Disc(kCell / 2.0f, kCell / 2.0f, 22.0f, kWhite, IndexColour(index));
      for (int j = 1; j < kCell - 1; ++j)
        for (int i = 1; i < kCell - 1; ++i)
          if (disc.At(i, j).a) sheet.Set(x + i, y + j, disc.At(i, j));
      sheet.CentredText(x + kCell / 2, y + 24, 1, std::to_string(index), kNavy);
    }
  return sheet;
}

// A framed panel with a title, for the plates and the GUI elements.
void Panel(Canvas& c, int x, int y, int w, int h, const std::string& title) {
  c.VerticalGradient(x, y, w, h, kTeal, kNavy);
  c.Frame(x, y, w, h, 3, kGold);
  if (!title.empty()) c.CentredText(x + w / 2, y + 8, 2, title, kWhite);
}

// A tile of the start-up picture, a 1024 x 768 gradient with a framed title panel: the w x h
// pixels from (left, top), at the top of a 512 x 512 image.
Canvas StartupTile(int left, int top, int w, int h, bool narrow) {
  const Rgba upper = narrow ? Rgba{60, 30, 90, 255} : Rgba{10, 40, 80, 255};
  const Rgba lower = narrow ? Rgba{150, 90, 40, 255} : Rgba{0, 130, 150, 255};
  Canvas whole(1024, 768);
  whole.VerticalGradient(0, 0, 1024, 768, upper, lower);
  Panel(whole, 312, 284, 400, 200, "");
  whole.CentredText(512, 330, 8, "TESK", kWhite);
  whole.CentredText(512, 420, 3, narrow ? "STARTUP 800" : "STARTUP 1024", kGold);
  Canvas tile(512, 512, lower);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) tile.Set(x, y, whole.At(left + x, top + y));
  tile.Frame(0, 0, w, h, 1, WithAlpha(kGold, 255));
  return tile;
}

// The loading backdrop, drawn as the window shows it: opaque art (shown where alpha is 0), with the
// band of alpha 255 over the rows the sprite runs on.
constexpr int kBandTop = 268;
constexpr int kBandBottom = 373;
Canvas LoadingBackdrop() {
  Canvas c(512, 512);
  c.VerticalGradient(0, 0, 512, 384, {4, 23, 32, 255}, {20, 90, 110, 255});
  c.Fill(0, 384, 512, 128, {20, 90, 110, 255});
  Panel(c, 96, 72, 320, 120, "");
  c.CentredText(256, 96, 5, "LOADING", kWhite);
  c.CentredText(256, 150, 2, "PLEASE WAIT", kGold);
  c.Fill(0, kBandTop - 6, 512, 4, kGold);
  c.Fill(0, kBandBottom + 3, 512, 4, kGold);
  c.InvertAlpha();                                                       // everything shows ...
  c.Fill(0, kBandTop, 512, kBandBottom - kBandTop + 1, {0, 0, 0, 255});  // ... but the band
  return c.Flipped();
}

// The loading sprite, drawn as the window shows it: a medical cross on a white disc over the
// band's dark blue, in the 96 rows that the loading screen shows.
Canvas LoadingSprite() {
  Canvas c(64, 128, {8, 30, 44, 255});
  c.Disc(32, 48, 28, kWhite, {220, 220, 220, 255});
  c.Fill(26, 28, 12, 40, {220, 30, 40, 255});
  c.Fill(12, 42, 40, 12, {220, 30, 40, 255});
  return c.Flipped();
}

std::vector<NamedImage> AllImages() {
  std::vector<NamedImage> images = GuiImages();
  auto add = [&images](const std::string& name, Canvas image) { images.push_back({name, std::move(image)}); };

  Canvas outer(128, 128);
  outer.Ring(64, 64, 44, 62, {120, 220, 255, 255});
  add("AOI_OUTER", outer);
  Canvas inner(128, 128);
  inner.Disc(64, 64, 40, {255, 255, 255, 200}, {60, 160, 255, 40});
  add("AOI_INNER", inner);
  add("AOI_POWERS", AoiPowers());

  // The HUD's sheets; "INTERFACE_PLATE_A" is drawn with the inverted blend.
  for (const tesk::game::HudSheet& hud : tesk::game::kHudSheets) {
    if (hud.code == tesk::game::kSkinElementsSheet) continue;
    Canvas sheet = HudSheetImage(hud);
    if (hud.blendSource == tesk::game::kBlendOneMinusSourceAlpha) sheet.InvertAlpha();
    add(hud.image, sheet);
  }
  add("NUMBERS", DigitStrip(16, kWhite));
  add("RED_NUMBERS", DigitStrip(16, {235, 40, 40, 255}));
  add("GREEN_NUMBERS", DigitStrip(16, {40, 220, 70, 255}));
  add("BIG_NUMBERS", DigitStrip(32, kWhite));
  add("BIG_GREEN_NUMBERS", DigitStrip(32, {40, 220, 70, 255}));
  add("BIG_RED_NUMBERS", DigitStrip(32, {235, 40, 40, 255}));

  for (bool narrow : {false, true}) {
    const std::string prefix = narrow ? "STARTUP_800_" : "STARTUP_";
    add(prefix + "TL", StartupTile(0, 0, 512, 512, narrow));
    add(prefix + "TR", StartupTile(512, 0, 512, 512, narrow));
    add(prefix + "BL", StartupTile(0, 512, 512, 256, narrow));
    add(prefix + "BR", StartupTile(512, 512, 512, 256, narrow));
  }

  Canvas buttons(256, 256);
  for (int i = 0; i < 4; ++i) Panel(buttons, 8, 8 + 62 * i, 240, 54, "BUTTON " + std::to_string(i + 1));
  add("STARTUP_BUTTONS", buttons);
  add("CONV_TOPICS", IconSheet(88));
  add("LOADING_A", LoadingBackdrop());
  add("LOADING_B", LoadingSprite());
  return images;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: resource_art OUT_DIR\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  for (const NamedImage& made : AllImages()) {
    const std::filesystem::path file = folder / (made.name + ".png");
    if (!made.image.Write(file)) {
      std::fprintf(stderr, "resource_art: cannot write %s\n", file.c_str());
      return 1;
    }
  }
  return 0;
}
