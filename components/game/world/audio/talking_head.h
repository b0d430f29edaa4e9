// The talking head of a speech's speaker: a head mesh animated by the head animator in the
// talking-head scene (made by the environment's first load), drawn into a small window at the
// bottom centre of the screen while its motion plays and its speech sounds.
#pragma once

#include "game_record.h"
#include "screen_drawing.h"

namespace tesk::game {

// Prepares the head of the speaker that the speech name's first letter designates, replacing the
// previous one: the talking-head camera moves to the head's row, the head node carries the row's
// mesh and the animator plays the speech's motion from its start, once. False, with everything
// half-started given up, when no head could be started: the id is raised when no row or motion
// fits, the mesh name when the mesh is missing or the animator refuses the motion; nothing is
// raised before the talking-head scene exists.
bool StartTalkingHead(GamePrivateData& game, const char16_t* speechName);
// The head node carries no mesh and the animator no motion; the mesh and motion are given up.
RTSuccess StopTalkingHead(GamePrivateData& game);
// 0 when the head's motion has finished or the speech no longer plays, else 1. The HUD hides the
// portal while it is 1.
uint32_t TalkingHeadActive(RTInstance game);
// Draws the head into its window while its motion plays and its speech sounds, then puts the
// viewport, the culling and the view volume (the values the caller saved) back. 0 when the
// talking-head scene does not exist yet, else 1, drawn or not.
RTSuccess DrawTalkingHead(RTInstance game, const gui::SavedProjection& viewVolume);

}  // namespace tesk::game
