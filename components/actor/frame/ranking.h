// Who steers around whom: the rank of one actor over another in the neighbourhood split.
#pragma once

#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// Whether `other` ranks above `w`: for the player every actor not on foot; among actors on foot
// the lower priority word (unsigned: the player 0, doctors and newbies 1, everyone else above);
// else the lower vehicle mode; and, where those are equal, the older actor (the lower serial).
// Inline: the neighbourhood asks it of every actor near every other, each sub-step.
inline bool RanksAbove(const RTTeskActorWrapper& w, const RTTeskActorWrapper& other) {
  using kivo::actor::kOnFoot;
  if (w.AvoidPriority == 0) return other.VehicleMode != kOnFoot;
  if (w.VehicleMode == kOnFoot && other.VehicleMode == kOnFoot && other.AvoidPriority != w.AvoidPriority)
    return static_cast<uint32_t>(other.AvoidPriority) < static_cast<uint32_t>(w.AvoidPriority);
  if (w.VehicleMode == other.VehicleMode) return other.Serial < w.Serial;
  return other.VehicleMode < w.VehicleMode;
}

}  // namespace tesk::actor
