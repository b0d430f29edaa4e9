// The generated sheets as the HUD draws them: each sprite drawn upright shows the generated
// sheet's texels (an upside-down or shifted t shows others), and the HUD's sprites on the skin's
// "1024_ELEMENTS" keep clear of the skin's pieces.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "game_fixture.h"
#include "hud_icon_table.h"
#include "hud_icons.h"
#include "skin_piece_table.h"
#include "software_rasterizer.h"
#include "tesk/game_slots.h"

namespace gametest {

namespace {

namespace game = tesk::game;
namespace gui = tesk::game::gui;
namespace r = kivo::rasterizer;
using tesk::testing::Picture;

std::string Upper(std::string name) {
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

std::filesystem::path ArtFile(const std::string& image) {
  return std::filesystem::path(GAME_ART_DIR) / (Upper(image) + ".png");
}

bool IsDrawnArt(const std::string& name) {
  if (Upper(name).rfind("STARTUP_", 0) == 0 && Upper(name) != "STARTUP_BUTTONS") return true;
  for (const game::HudSheet& sheet : game::kHudSheets)
    if (Upper(sheet.image) == Upper(name)) return true;
  return false;
}

// Every image the HUD draws is the generated one; start-up makes the textures.
class HudSheets : public GameTest {
 protected:
  std::vector<ResourceItem> Resources() const override {
    std::vector<ResourceItem> items = CompleteResources();
    for (ResourceItem& item : items) {
      if (!IsDrawnArt(item.name)) continue;
      std::ifstream file(ArtFile(item.name), std::ios::binary);
      std::ostringstream bytes;
      bytes << file.rdbuf();
      item.bytes = bytes.str();
    }
    return items;
  }
  void SetUp() override {
    GameTest::SetUp();
    if (HasFatalFailure()) return;
    GiveWindow(0, kWidth, kHeight);
    ASSERT_EQ(CallScript(game::kStartup), kRTSuccess);
  }

  // The screen pixel that shows the sprite's pixel (i, j), the sprite drawn upright.
  uint32_t Shown(int32_t index, int32_t i, int32_t j) {
    constexpr int32_t cx = kWidth / 2, cy = kHeight / 2;
    // The frame of the context start-up made, cleared black.
    EXPECT_EQ(r::BeginFrame(rasterizer(), record().windowContext), kRTSuccess);
    r::SetClearColor(rasterizer(), 0.0f, 0.0f, 0.0f, 1.0f);
    r::SetClearMask(rasterizer(), r::kClearColour | r::kClearDepth);
    r::BeginScene(rasterizer());
    ScreenBox();
    game::DrawHudIcon(game(), index, cx - i, cy - j, 0, game::kHudIconUpright);
    return Shoot().At(cx, cy);
  }
};

bool Near(uint32_t a, uint32_t b) {
  for (int shift : {0, 8, 16})
    if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > 3) return false;
  return true;
}

// The sprite's pixels to look at: its centre and those of its corners that lie on the sheet.
std::vector<std::pair<int32_t, int32_t>> Probes(int32_t w, int32_t h, int32_t y0, int32_t sheetHeight) {
  std::vector<std::pair<int32_t, int32_t>> probes = {{w / 2, h / 2}};
  for (int32_t j : {0, h - 1})
    for (int32_t i : {0, w - 1})
      if (y0 + j < sheetHeight) probes.push_back({i, j});
  return probes;
}

TEST_F(HudSheets, UprightSpritesShowTheirSheetsTexels) {
  std::vector<int32_t> indices;
  for (const game::HudSheet& sheet : game::kHudSheets) {
    for (int32_t index = 0; index < game::kHudIconCount; ++index)
      if (game::kHudIconTable[index].sheet == sheet.code && game::kHudIconTable[index].x1 > game::kHudIconTable[index].x0) {
        indices.push_back(index);
        break;
      }
  }
  indices.push_back(87);
  ASSERT_EQ(indices.size(), std::size(game::kHudSheets) + 1);
  for (int32_t index : indices) {
    const game::HudIconRecord& icon = game::kHudIconTable[index];
    const Picture sheet = Picture::Load(ArtFile(game::FindHudSheet(icon.sheet)->image));
    ASSERT_GT(sheet.width(), 0) << index;
    for (const auto& [i, j] : Probes(icon.x1 - icon.x0, icon.y1 - icon.y0, icon.y0, sheet.height())) {
      const uint32_t wanted = sheet.At(icon.x0 + i, icon.y0 + j), shown = Shown(index, i, j);
      EXPECT_TRUE(Near(shown, wanted)) << "entry " << index << " pixel (" << i << ", " << j << "): shows " << std::hex
                                       << shown << ", the sheet holds " << wanted;
    }
  }
  const Picture tile = Picture::Load(ArtFile("STARTUP_BR"));
  for (const auto& [i, j] : Probes(512, 256, 0, 256)) {
    const uint32_t wanted = tile.At(i, j), shown = Shown(1003, i, j);
    EXPECT_TRUE(Near(shown, wanted)) << "tile 1003 pixel (" << i << ", " << j << "): shows " << std::hex << shown
                                     << ", the tile holds " << wanted;
  }
}

// The pixels a piece's rectangle touches, a half-pixel coordinate taking its whole texel.
struct Pixels {
  int x0, y0, x1, y1;  // x1, y1 exclusive
};
Pixels Touched(const gui::PixelRect& r) {
  return {int(std::floor(r.x0)), int(std::floor(r.y0)), std::max(int(std::ceil(r.x1)), int(std::floor(r.x0)) + 1),
          std::max(int(std::ceil(r.y1)), int(std::floor(r.y0)) + 1)};
}

TEST(HudElementSprites, KeepClearOfTheSkinsPieces) {
  std::vector<gui::PixelRect> pieces = {gui::kBubblePointerPixels[0]};
  for (const gui::FramePixels& frame : gui::kFramePixels)
    for (const gui::PixelRect& r : {frame.corner[0], frame.topEdge[0], frame.sideEdge[0]})
      if (r.x1 != 0 || r.y1 != 0) pieces.push_back(r);
  for (const gui::PairPixels& pair : gui::kPairPixels) {
    pieces.push_back(pair.first[0]);
    pieces.push_back(pair.second[0]);
  }
  int sprites = 0;
  for (int32_t index = 0; index < game::kHudIconCount; ++index) {
    const game::HudIconRecord& icon = game::kHudIconTable[index];
    if (icon.sheet != game::kSkinElementsSheet) continue;
    ++sprites;
    for (const gui::PixelRect& piece : pieces) {
      const Pixels p = Touched(piece);
      EXPECT_FALSE(icon.x0 < p.x1 && p.x0 < icon.x1 && icon.y0 < p.y1 && p.y0 < icon.y1)
          << "entry " << index << " meets the piece (" << piece.x0 << ", " << piece.y0 << ", " << piece.x1 << ", "
          << piece.y1 << ")";
    }
  }
  EXPECT_EQ(sprites, 6);
}

}  // namespace

}  // namespace gametest
