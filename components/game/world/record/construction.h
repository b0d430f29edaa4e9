// The game record's construction and destruction: the component's construct and destroy hooks.
#pragma once

#include "kivo/types.h"

namespace tesk::game {

// Builds the record in its twelve steps. 0 when the actor, scripting or timer singleton cannot be
// had; the record then stays, with that singleton and the later steps missing, and the methods
// that need it refuse their work.
RTSuccess CreateGamePrivateData(RTInstance self);
// Gives back everything the record holds and frees it.
RTSuccess DestroyGamePrivateData(RTInstance self);

}  // namespace tesk::game
