// The security screen: the selected camera's panel pair shown, the form centred, and the camera's
// picture rendered into the form's monitor panel.
#pragma once

#include "game_record.h"
#include "screen_forms.h"

namespace tesk::game {

void DrawSecurityScreen(GamePrivateData& game, const ScreenFormRow& row);

}  // namespace tesk::game
