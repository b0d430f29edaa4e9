// The click dispatcher's screens as one ordered table: each row's test on the game record, and
// the handler that takes a left press when the test holds. The first row whose test holds takes
// the press. Screens of later work join the table in their place.
#pragma once

#include "menu_screens.h"

namespace tesk::game {

struct ClickRoute {
  bool (*test)(const GamePrivateData& game);
  RTSuccess (*handler)(RTInstance self, GamePrivateData& game, const ClickPress& press);
};

// A press that no screen took: a right press, or a left press in a mode no row names. The world
// clicks come here; `handOff` is the hand-off flag the press read.
RTSuccess FinalClickStage(RTInstance self, GamePrivateData& game, bool left, bool right, const ClickPress& press,
                          uint32_t handOff);

// The game's mouse-button entry (method slot 0x3C).
RTSuccess MouseClick(RTInstance self, uint32_t left, uint32_t right, int32_t x, int32_t y);

}  // namespace tesk::game
