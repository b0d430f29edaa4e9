// The records of the game's particle effects: a pool of effects per effect class, loaded at
// start-up, of which the script plays, attaches, turns and stops one at a time.
#pragma once

#include <cstdint>

#include "kivo/support/hash_table.h"
#include "kivo/support/list.h"
#include "kivo/types.h"

struct RTTeskActorWrapper;

namespace tesk::game {

// One pooled effect (core memory, zero-filled).
struct EffectSlot {
  RTInstance partMan;  // its RTPartMan
  RTInstance node;     // its RTTeskSceneNode; the particle systems' nodes hang below it
  uintptr_t active;    // in activeEffects, advanced each frame
  uintptr_t restart;   // the next advance starts it instead of updating it
  uintptr_t index;     // its handle, 1 and up
  RTTeskActorWrapper* attachedActor;  // by FXAttachActor, else null
};

inline constexpr uint32_t kEffectClassBuckets = 31;

struct EffectState {
  kivo::StrHashTable* effectClasses;  // class name to a List of its EffectSlots, in load order
  kivo::List* activeEffects;          // in the order they became active
  EffectSlot** effectSlots;           // core array: entry i holds the effect of index i; entry 0 unused
  uint32_t effectCount;               // entries in use, 0 included: the next effect's index
  EffectSlot* currentEffect;          // what FXStop, the attach and the turn methods act on
  RTInstance effectActorComponent;    // the RTTeskActor singleton; one reference
  RTInstance fxFolder;                // "Root:FX", parent of every instance made here; one reference
};

}  // namespace tesk::game
