// hudview's patient bar: the sample's kinds of patient on the bar of the started game, drawn at
// the animations' frames and with a slot under the pointer, a PNG each in a folder.
#pragma once

#include <string>

#include "hud_game.h"

namespace hudview {

// Writes arrival-10.png, arrival-27.png, arrival-40.png, leaving-20.png, shake.png and hovered.png
// into the folder, and prints a line a square drawn: "<picture> slot X=<x> <look> y=<y> colour <r>
// <g> <b>" for the compact and large looks, "<picture> square x=<x> y=<y> side <s> colour ..." for
// an animation's; false with the reason when the patients cannot be made or a picture cannot be
// written.
bool DrawPatientBar(HudGame& game, const std::string& folder, std::string* error);

}  // namespace hudview
