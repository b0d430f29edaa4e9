// The stand-in for the game component (class RTTeskGame) that tools and tests load into a Kivo root
// of their own, where they need scene trees before the game exists. It answers the game's methods
// that the scene library calls, at the game level of tesk/game_slots.h:
//   GetVM 0x94        (out VM): the VM set below, null at the start; no reference
//   GetSceneTree 0x98 (out tree): the tree set below with a reference for the caller; null when none
//   RenderAOI 0xC0    (rasterizer): draws nothing; each call prints "RTTeskGame.RenderAOI()" to the
//                     core's debug output
// and two setters of its own, placed above the game's table.
#pragma once

#include "kivo/slots.h"
#include "tesk/game_slots.h"

namespace tesk::game_standin {

enum Slot : uint32_t {
  kSetVM = 0x590,
  kSetSceneTree = 0x594,
};
inline constexpr uint32_t kSlotTableSize = kSetSceneTree + 4;

// The VM GetVM hands out (no reference: a VM is no instance).
inline RTSuccess SetVM(RTInstance g, void* vm) { return kivo::CallMethod(g, game::kLevel, kSetVM, vm); }
// Holds the tree with a reference (null gives it back). A held tree holds the game too: set null
// before letting go of either.
inline RTSuccess SetSceneTree(RTInstance g, RTInstance tree) {
  return kivo::CallMethod(g, game::kLevel, kSetSceneTree, tree);
}

}  // namespace tesk::game_standin
