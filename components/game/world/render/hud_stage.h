// The HUD stage of the frame: the HUD's pieces (through the game's hooks), tool tips, boost,
// curbside and hint icons, the HUD's forms and menus, with the expiry of tool tips (3 s), the
// curbside acknowledgement (8 s) and hints (30 s).
#pragma once

#include "game_record.h"

namespace tesk::game {

// Whether the frame draws the HUD: not hidden, and a screen that keeps it (the confirmation only
// over a screen that does not hide it).
bool HudShown(const GamePrivateData& game);

// The stage, inside the frame's screen-drawing bracket (whose saved projection the talking head
// needs: the stage closes and reopens the bracket around it).
void DrawHudStage(RTInstance self, GamePrivateData& game, gui::SavedProjection& saved);

}  // namespace tesk::game
