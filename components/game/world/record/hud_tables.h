// The HUD's icon rectangle tables and the super powers' required levels: data of the component,
// copied into each game record. An icon is a pixel rectangle of an icon sheet and the sheet's
// number; the values lay each table out as a grid of 32-pixel cells over the 256-pixel sheets that
// the content generator draws.
#pragma once

#include <cstdint>

namespace tesk::game {

struct HudIconRect {
  int32_t x0;
  int32_t y0;
  int32_t x1;
  int32_t y1;
};

struct HudIcon {
  HudIconRect rect;
  uint32_t sheet;
};
static_assert(sizeof(HudIcon) == 20);

inline constexpr uint32_t kIconRectsA = 33;
inline constexpr uint32_t kIconRectsB = 18;
inline constexpr uint32_t kHudIconCount = 123;
inline constexpr uint32_t kSuperPowerCount = 16;
inline constexpr uint32_t kSkillCount = 6;

struct HudIconTables {
  HudIconRect rectsA[kIconRectsA];  // sheet 1
  HudIconRect rectsB[kIconRectsB];  // sheet 2
  HudIcon rectsC[kHudIconCount];    // each with its own sheet
  HudIcon composed[kHudIconCount];  // built from the three tables (ComposeHudIcons)
  HudIcon full[kHudIconCount];      // a copy of rectsC
};

// The component's defaults of the three rectangle tables.
void DefaultIconTables(HudIconTables* tables);
// Entries 0-32 from rectsA on sheet 1, 33-50 from rectsB on sheet 2, 51-64 and 102-103 as rectsC
// gives them, 72-93 rectsC's rectangles on sheet 5, every other entry zero.
void ComposeHudIcons(HudIconTables* tables);
// The required level (0 to 8) of each skill for each super power, in power order.
void DefaultSuperPowerLevels(uint32_t (*levels)[kSkillCount]);

}  // namespace tesk::game
