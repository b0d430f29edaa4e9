// Particle effect files (".peffect"), as the instance store keeps them ("Root:FX:NAME.peffect", an
// RTStoredData): read into a particle manager and a scene node, the effect's, under which each
// particle system hangs on a node of its own. The game's effect pools and scene-view read them.
//
// Little-endian. A narrow text is a u32 length n, then, when n > 0, n + 1 bytes (the text and a
// zero); a wide text a u32 count n of UTF-16 units, then, when n > 0, n + 1 units.
//
// Effect header:
//   u32 effect version  above 0x500 refused (no message); below 0x500 an empty effect, nothing
//                       more read; 0x500 goes on
//   narrow text 1       the manager's text A (its title)
//   narrow text 2       the manager's text B (its options)
//   u32 n               the particle systems, then n system records
// System record:
//   u32 version                              above 0x605 refused: "File version is newer than reader!"
//   u32 spare, narrow texts 1 and 2          from 0x500: the look's and the emitter's definitions
//   u8 image flag                            from 0x600
//   wide text                                from 0x605, with the flag: the image's class
//   the image's stream (RTImage's form)      from 0x600, with the flag: an RTBMPImage below 0x605
//   u32 mode A, u32 mode B                   from 0x605; 1 and 1 below
// A system record below 0x500 gives a system without a definition: it finishes at once.
//
// A class named for the image must be an image class (RTImage or one derived from it), checked
// by name before anything is made. Texts are read only when the bytes they claim are there.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace tesk::effects {

inline constexpr uint32_t kEffectVersion = 0x500;
inline constexpr uint32_t kSystemVersion = 0x605;
inline constexpr uint32_t kFirstSystemWithTexts = 0x500;
inline constexpr uint32_t kFirstSystemWithImage = 0x600;
inline constexpr uint32_t kFirstSystemWithClassAndModes = 0x605;
// The state word of effect and system nodes: draw bits 9, kind 5.
inline constexpr uint32_t kEffectNodeFlags = 0x59;

// Reads the effect from the stream into the manager (cleared first) and hangs its systems' nodes
// under `effectNode`; every instance it makes is a child of `folder`. On failure the manager is
// cleared again and the nodes it hung are taken down: nothing made here stays alive.
bool ReadParticleEffect(RTInstance stream, RTInstance manager, RTInstance effectNode, RTInstance folder);

}  // namespace tesk::effects
