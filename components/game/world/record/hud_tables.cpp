#include "hud_tables.h"

#include <algorithm>
#include <iterator>

namespace tesk::game {

namespace {

constexpr int32_t kCell = 32;
constexpr int32_t kCellsPerRow = 256 / kCell;
constexpr uint32_t kCellsPerSheet = kCellsPerRow * kCellsPerRow;
constexpr uint32_t kFirstSheetOfC = 3;
constexpr uint32_t kSheetOfIcons72To93 = 5;

HudIconRect Cell(uint32_t index) {
  const int32_t x = static_cast<int32_t>(index % kCellsPerRow) * kCell;
  const int32_t y = static_cast<int32_t>(index / kCellsPerRow % kCellsPerRow) * kCell;
  return HudIconRect{x, y, x + kCell, y + kCell};
}

}  // namespace

void DefaultIconTables(HudIconTables* tables) {
  for (uint32_t i = 0; i < kIconRectsA; ++i) tables->rectsA[i] = Cell(i);
  for (uint32_t i = 0; i < kIconRectsB; ++i) tables->rectsB[i] = Cell(i);
  for (uint32_t i = 0; i < kHudIconCount; ++i)
    tables->rectsC[i] = HudIcon{Cell(i), kFirstSheetOfC + i / kCellsPerSheet};
}

void ComposeHudIcons(HudIconTables* tables) {
  std::fill(std::begin(tables->composed), std::end(tables->composed), HudIcon{});
  for (uint32_t i = 0; i < kIconRectsA; ++i) tables->composed[i] = HudIcon{tables->rectsA[i], 1};
  for (uint32_t i = 0; i < kIconRectsB; ++i) tables->composed[kIconRectsA + i] = HudIcon{tables->rectsB[i], 2};
  for (uint32_t i = 51; i <= 64; ++i) tables->composed[i] = tables->rectsC[i];
  for (uint32_t i = 72; i <= 93; ++i) tables->composed[i] = HudIcon{tables->rectsC[i].rect, kSheetOfIcons72To93};
  for (uint32_t i = 102; i <= 103; ++i) tables->composed[i] = tables->rectsC[i];
  std::copy(std::begin(tables->rectsC), std::end(tables->rectsC), tables->full);
}

// Each power asks for two neighbouring skills, at a level that rises with the power.
void DefaultSuperPowerLevels(uint32_t (*levels)[kSkillCount]) {
  for (uint32_t power = 0; power < kSuperPowerCount; ++power) {
    for (uint32_t skill = 0; skill < kSkillCount; ++skill) levels[power][skill] = 0;
    const uint32_t level = 1 + power / 2;
    levels[power][power % kSkillCount] = level;
    levels[power][(power + 1) % kSkillCount] = level;
  }
}

}  // namespace tesk::game
