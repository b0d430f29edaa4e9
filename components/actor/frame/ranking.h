// Who steers around whom: the rank of one actor over another in the neighbourhood split.
#pragma once

#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// Whether `other` ranks above `w`: for the player every actor not on foot; among actors on foot
// the lower priority word (unsigned: the player 0, doctors and newbies 1, everyone else above);
// else the lower vehicle mode; and, where those are equal, the older actor (the lower serial).
bool RanksAbove(const RTTeskActorWrapper& w, const RTTeskActorWrapper& other);

}  // namespace tesk::actor
