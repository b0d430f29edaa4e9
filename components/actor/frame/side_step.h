// Where an actor asked to make way steps to.
#pragma once

#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// From the receiver's position, 1.5 sender radii across the sender's heading, on the receiver's
// side; the receiver's own position when it stands dead ahead (nothing across to normalise).
RTFVector3D SideStepPoint(const RTTeskActorWrapper& receiver, const RTTeskActorWrapper& sender);

}  // namespace tesk::actor
