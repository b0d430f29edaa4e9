// Shortening a path whose last segment is blocked: when the actor moves on to a new segment, the
// segment is swept with its sphere, and an obstacle short of the segment's end that lies on the
// last segment becomes the path's new end (and the actor's goal and "targetLocation").
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// With the position predicted t seconds ahead: *lastSegment tells whether the actor heads for the
// path's last node. 1; 0 without a scene tree, or when the script object has no vector3
// "targetLocation" to take the new end (the path is shortened all the same). Scene nodes whose
// state word holds 0x20 or 0x80 do not block.
RTSuccess ClipPathAtObstacle(const ActorControllerData& actor, RTTeskActorWrapper& w, float t, bool* lastSegment);

}  // namespace tesk::actor
