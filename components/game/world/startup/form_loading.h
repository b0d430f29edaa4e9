// The forms and HUD widgets of start-up, the boost icons that the episode reset takes again, and
// the forms' end with the game.
#pragma once

#include <cstdint>

#include "game_record.h"

namespace tesk::game {

// Loads every form of the form table for the screen width (0 already counted as 1024) into the
// record, then keeps the HUD's widgets at hand. A form that cannot be read is logged and stays,
// empty; a widget a step names and its form lacks is skipped.
void LoadForms(GamePrivateData& game, int32_t width);
// Empties the boost list and fills it again with the master icons' fitness, unfit penalty, gamers
// and proximity icons (those the form has), each hidden.
void FillBoostIcons(GamePrivateData& game);
// Shows (a non-zero flag) or hides entry `index` of the boost list, when there is one.
void ShowBoostIcon(GamePrivateData& game, uint32_t index, uint32_t flag);
// Destroys every form with its widgets and the widgets the record owns; every handle is cleared.
void DestroyForms(GamePrivateData& game);

}  // namespace tesk::game
