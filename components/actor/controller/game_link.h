// The controller's way to the game: the RTTeskGame singleton, and its scene tree.
#pragma once

#include "actor_state.h"
#include "kivo/support/instance_ref.h"

namespace tesk::actor {

// The game of the controller: the singleton (made when there is none), held from its first need
// on. False when it cannot be had.
bool EnsureGame(ActorControllerData& actor);
// The game's scene tree with a reference; empty when the controller has no game or the game no
// tree.
kivo::InstanceRef SceneTreeOf(const ActorControllerData& actor);

}  // namespace tesk::actor
