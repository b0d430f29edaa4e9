// The camera's part of each frame: input pushes and the free camera's step, the node's angles and
// lens, its position for the camera's mode (following the player, the user panning, the script's
// point or an attached actor, with the script's lerps), and the shake.
#pragma once

#include <cstdint>

#include "game_record.h"

namespace tesk::game {

// Moves the camera for the frame that starts at `frameStart` (core milliseconds). The free
// camera steps whatever the world holds; the node, its lens and its position only while there is
// a camera node.
void UpdateCameraFrame(GamePrivateData& game, uint32_t frameStart);

// The translation of the placement of the actor's root node; false when it has none.
bool ActorPosition(const RTTeskActorWrapper* wrapper, RTFVector3D* position);

}  // namespace tesk::game
