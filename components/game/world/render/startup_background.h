// The start menu's backdrop: the four start-up tiles (HUD icons 1000 to 1003) at (0, 0),
// (512, 0), (0, 512) and (512, 512).
#pragma once

#include "game_record.h"

namespace tesk::game {

void DrawStartupBackground(RTInstance self, GamePrivateData& game);

}  // namespace tesk::game
