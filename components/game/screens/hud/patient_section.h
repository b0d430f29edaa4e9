// The patient list's section of the save file. The save and load of the game call it; the load
// calls it after the actor wrappers are in the actor list.
#pragma once

#include "game_record.h"
#include "kivo/types.h"

namespace tesk::game {

// Writes the count, then per entry the position of its actor in the actor list and a byte, 1 when
// the entry has a nurse bar; a leaving entry, or one whose actor is not listed, is 0xFFFFFFFF alone.
RTSuccess WritePatientSection(const GamePrivateData& game, RTInstance stream);
// Reads the section and appends an entry per listed actor (no animation, a green nurse bar for a
// byte of 1); the newbies' patient count starts again at 0. A damaged section (short, or naming
// no actor) fails with a message and adds nothing. The list is not sorted here: the sort's sweep
// drops the newbies' patients until the newbie list is read, so the load sorts after that.
RTSuccess ReadPatientSection(GamePrivateData& game, RTInstance stream);

}  // namespace tesk::game
