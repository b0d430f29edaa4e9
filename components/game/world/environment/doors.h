// The hospital's animated doors: the five shower doors and two bathroom stall doors that swing open
// and shut when the script asks, and the main entrance's two leaves that slide open when a
// character comes near. Every door moves from where it stands to its target over one second with a
// cosine ease, timed by the game clock (GetCurrentTimeC), and is written every frame, also at rest.
#pragma once

#include "game_record.h"
#include "kivo/support/interpolate.h"

namespace tesk::game {

// A door eased from start to target over one second; t is the seconds since it started.
inline float EasedDoor(float start, float target, float t) {
  return t > 1.0f ? target : kivo::CosineInterpolate(start, target, t);
}

// A shower door's closed angle is the yaw its node has when bound (DoorSwingSetup); reset puts it
// back closed at once (DoorSwingReset, environment.h).
RTSuccess ShowerDoorOpen(RTInstance self, ShowerStall* stall);
RTSuccess ShowerDoorClose(RTInstance self, ShowerStall* stall);
// Stall doors 0 (men's) and 1 (women's); any other index is refused (0) and changes nothing.
RTSuccess StallDoorOpen(RTInstance self, uint32_t index);
RTSuccess StallDoorClose(RTInstance self, uint32_t index);
// The stall doors take the stall door nodes the environment loader found (one reference each).
void StallDoorsStartup(GamePrivateData& game);

// The per-frame steps, in the order Main calls them: the entrance, the stall doors (0 then 1), then
// each shower door; a door without a node is skipped.
void MainEntranceDoorsUpdate(RTInstance self);
void StallDoorsUpdate(RTInstance self);
void UpdateDoorSwing(RTInstance self, ShowerStall* stall);
// All of them, for Main.
void UpdateDoors(RTInstance self);

// Binds the entrance after each environment set-up: the room "core-mainentrance", the ambulance
// port room of the episode ("core-aport-2@3967" for episodes 0 to 6, "07-N-aport@128" for 7) and
// the leaves' positions; the leaves then close from where they stand. 0, with a message, when the
// episode has no port room or the scene tree lacks it: the previous port room and the leaves stay.
RTSuccess MainEntranceDoorsStartup(RTInstance self, int32_t episode);

}  // namespace tesk::game
