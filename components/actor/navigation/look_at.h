// Turning in place toward the look-at point or toward the closest other actor, a part of the
// remaining angle per step, and the script events that end the turns.
#pragma once

#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

inline constexpr char16_t kDoneLookAtPoint[] = u"OnDoneLookAtPoint";
inline constexpr char16_t kDoneLookAtClosest[] = u"OnDoneLookAtClosest";

// Turns the frame's heading about the vertical toward LookAtPoint by 0.4 of the chord between the
// two directions. 0 when done: the point is (horizontally) within 0.001 of the actor, or the actor
// now faces it; else 1.
uint32_t TurnTowardLookAt(RTTeskActorWrapper& w);
// Looks at the nearest actor of the neighbourhood (the first of equals) as TurnTowardLookAt does.
// 0 when moving or when there is nobody to look at.
uint32_t LookAtClosestStep(RTTeskActorWrapper& w);

}  // namespace tesk::actor
