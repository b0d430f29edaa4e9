// The player's area-of-interest rings on the floor: an outer and an inner ring turning with the
// game clock, and the sprites of the three chosen super powers on the inner one.
#pragma once

#include <cstdint>

#include "game_record.h"

namespace tesk::game {

// The rings' turn: radians, and the game clock of the last step (one pair for the process).
struct AoiSpin {
  float angle;
  float lastTime;
};
AoiSpin& RingSpin();

// One sprite quad at the ring position of `slot` (0..2) on a ring of radius `radius`; nothing for
// a sprite outside the 16 cells of the powers image (-1 is the empty slot).
RTSuccess DrawAOIQuad(GamePrivateData& game, RTInstance rasterizer, float radius, int32_t sprite, uint32_t slot);

}  // namespace tesk::game
