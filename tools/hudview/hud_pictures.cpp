#include "hud_pictures.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

#include "hud_icon_table.h"
#include "hud_icons.h"
#include "hud_shapes.h"
#include "tesk/game_slots.h"

namespace hudview {

namespace {

namespace game = tesk::game;

constexpr int32_t kGap = 3;
constexpr int32_t kDigitStyles[] = {9, 7, 8, 10, 16, 15};
constexpr int32_t kDigitsBottom = 200;  // the sprites start below the digits

int32_t DrawnSide(int32_t from, int32_t to) { return std::max(to - from, 1); }

// One row a style: -3 to 10, each with room for its minus sign on its left.
void DrawDigits(HudGame& hud) {
  int32_t y = 4;
  for (int32_t style : kDigitStyles) {
    const int32_t cell = style == 10 || style == 15 || style == 16 ? 32 : 16;
    int32_t x = 12;
    for (int32_t n = -3; n <= 10; ++n, x += cell + 14)
      kivo::CallMethod(hud.instance(), game::kLevel, game::kDrawNumber, n, style, x, y, 0);
    y += cell + 8;
  }
}

}  // namespace

void DrawIcons(HudGame& hud) {
  const auto width = static_cast<int32_t>(hud.record().screenWidth);
  const auto height = static_cast<int32_t>(hud.record().screenHeight);
  std::vector<int32_t> order(game::kHudIconCount);
  std::iota(order.begin(), order.end(), 0);
  const game::HudIconRecord* icons = hud.record().hudIcons;
  std::stable_sort(order.begin(), order.end(), [icons](int32_t a, int32_t b) {
    return DrawnSide(icons[a].y0, icons[a].y1) > DrawnSide(icons[b].y0, icons[b].y1);
  });
  int32_t x = 0, y = kDigitsBottom, shelf = 0, cut = 0;
  for (int32_t index : order) {
    const game::HudIconRecord& icon = icons[index];
    const int32_t w = DrawnSide(icon.x0, icon.x1), h = DrawnSide(icon.y0, icon.y1);
    if (x + w > width) {
      x = 0;
      y += shelf + kGap;
      shelf = 0;
    }
    game::DrawHudIcon(hud.instance(), index, x, y, 0, game::kHudIconUpright);
    cut += y + h > height;
    x += w + kGap;
    shelf = std::max(shelf, h);
  }
  for (int32_t index = 0; index < game::kHudIconCount; ++index)
    std::printf("icon %d sheet %d %dx%d\n", index, icons[index].sheet, DrawnSide(icons[index].x0, icons[index].x1),
                DrawnSide(icons[index].y0, icons[index].y1));
  if (cut) std::printf("%d icons reach below the screen\n", cut);
  DrawDigits(hud);
}

void DrawTiles(HudGame& hud) {
  for (int32_t tile = 0; tile < game::kStartupTileCount; ++tile)
    game::DrawHudIcon(hud.instance(), game::kFirstStartupTile + tile, tile % 2 * 512, tile / 2 * 512, 0,
                      game::kHudIconUpright);
}

void DrawShapes(HudGame& hud) {
  const RTInstance self = hud.instance();
  const struct {
    uint32_t start, end;
  } arcs[] = {{0, 360}, {90, 270}, {170, 190}, {200, 100}};
  float cx = 80;
  for (const auto& arc : arcs) {
    const RTFVector3D centre = {cx, 80, 0, 0};
    const size_t vertices =
        hud.CountCalls("Vertex", [&] { game::DrawCircleArc(self, &centre, arc.start, arc.end, 50, 1, 0.8f, 0.2f); });
    std::printf("arc %u-%u: %zu vertices\n", arc.start, arc.end, vertices);
    cx += 130;
  }
  for (uint32_t thickness = 0; thickness <= 4; ++thickness) {
    const float x = 40.0f + 110.0f * static_cast<float>(thickness);
    const RTFVector3D a = {x, 200, 0, 0}, b = {x + 80, 260, 0, 0};
    const size_t vertices =
        hud.CountCalls("Vertex", [&] { game::DrawThickLine(self, &a, &b, thickness, 0.2f, 0.9f, 1); });
    std::printf("line %u px: %zu vertices\n", thickness, vertices);
  }
  int32_t x = 60;
  for (int32_t radius : {6, 20, 40}) {
    const size_t vertices = hud.CountCalls("Vertex", [&] {
      kivo::CallMethod(self, game::kLevel, game::kDrawBorderedCircle, static_cast<uint32_t>(x), 380u, radius, 0.9f,
                       0.2f, 0.3f);
    });
    std::printf("disc radius %d: %zu vertices\n", radius, vertices);
    x += 2 * radius + 40;
  }
}

}  // namespace hudview
