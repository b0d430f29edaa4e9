// What the walking step looks at before it follows the path: the clip of a blocked last segment,
// then, on most steps (random draws), the obstacle probe and the actor probe, either of which
// takes over the step's steering.
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// True when a probe decided the step: the steering is its direction times 5.0 (y 0) and
// SteeringState kAvoidingObstacle or kAvoidingActor. *lastSegment is the clip's answer whether the
// actor heads for the path's last node.
bool ProbeAhead(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, bool* lastSegment);

}  // namespace tesk::actor
