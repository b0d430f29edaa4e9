// The loading screen: long loaders start it with BeginLoadingScreen and call PumpLoadingScreen
// as often as they like; a frame is drawn at most every 67 ms of core time, each followed by the
// host's idle callback (its message pump).
#pragma once

#include "game_record.h"
#include "kivo/support/module_core.h"

namespace tesk::game {

// The pump's time becomes the core time and the sprite goes back to the left edge; nothing else
// changes (ResetLoadingPump is this call).
inline void BeginLoadingScreen(GamePrivateData& game) {
  uint32_t now = 0;
  kivo::ModuleCore()->GetTime(nullptr, &now);
  game.pumpTime = now;
  game.loadingSpriteX = 0.0f;
}

}  // namespace tesk::game
