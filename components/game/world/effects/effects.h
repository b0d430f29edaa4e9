// The game's particle effects (effect_records.h): start-up, the pools loaded from effect files
// (effect_file.h), the current effect and what acts on it, the per-frame advance and the reset.
// Failures raise their message at level 5 and return 0.
#pragma once

#include <cstdint>

#include "game_record.h"

namespace tesk::game {

// Makes the state and finds or makes "Root:FX"; 0 without an RTTeskActor singleton.
RTSuccess FXStartup(GamePrivateData& game);
// Loads "Root:FX:NAME.peffect" into a pool of `count` effects; 0 (silent) without that file. A
// file that cannot be read leaves no trace: its pool, the slots made for it and the indices they
// took are given back.
RTSuccess LoadParticleEffect(GamePrivateData& game, const char16_t* className, uint32_t count);
// The first idle effect of the class's pool, in load order.
RTSuccess FXAllocate(GamePrivateData& game, const char16_t* className, uint32_t* index);
RTSuccess FXSetActive(GamePrivateData& game, uint32_t index);
// The current effect's node leaves its parent for `parent`.
RTSuccess FXAttachToNode(GamePrivateData& game, RTInstance parent);
RTSuccess FXActivate(GamePrivateData& game);
RTSuccess FXDeactivate(GamePrivateData& game);
// The current effect's node: rotation rows identity, translation and each row's fourth float kept.
RTSuccess FXClearRotation(GamePrivateData& game);
// An idle effect of the class at the position under the world's root node, current and playing
// from the next advance; 0 (the pool untouched) before any environment.
RTSuccess FXPlayAt(GamePrivateData& game, const char16_t* className, const RTFVector3D& position, uint32_t* index);
// Starts (or stops) the effect attached to the node, a faucet's water: the first effect whose node
// hangs right below it; 0 when none does. The current effect stays as it was.
RTSuccess FXFaucet(GamePrivateData& game, RTInstance node, bool start);
// Advances the active effects to the time (seconds of the game clock).
RTSuccess UpdateEffects(GamePrivateData& game, float seconds);
// Stops every active effect; the last one stopped stays current.
RTSuccess FXResetAll(GamePrivateData& game);
// The start-up's effects: FXStartup, then every effect class with its pool, then its log line. A
// class whose file is missing has no pool.
void LoadEffects(GamePrivateData& game);
// Gives back everything (the game's destroy).
void FXShutdown(GamePrivateData& game);

}  // namespace tesk::game
