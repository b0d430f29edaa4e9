// The keys' calls into the screens and the movie player that later pieces of the game build, as
// one table of hooks of the game: each is filled by the code that builds its piece, and an empty
// hook is skipped.
#pragma once

#include "kivo/types.h"

namespace tesk::game {

struct KeyHooks {
  using Call = RTSuccess (*)(RTInstance game);
  Call OpenInfoScreenC;  // ENTER in the world
  Call OpenCheatPanel;   // C in the world (debug keys)
  Call SetVideoSkip;     // SPACE during a movie, with Movie Skip on
};

}  // namespace tesk::game
