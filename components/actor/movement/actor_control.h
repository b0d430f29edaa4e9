// The native operations that stop an actor and turn it toward a point, shared by the script
// methods, the frame update, path following and contacts.
#pragma once

#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// Stops the actor where it stands: its steering, both avoidance vectors, the integrators' lagged
// steering and acceleration and its velocity become zero and its speed 0. The moving flag, the
// path and the look-at requests are left alone.
void StopActor(RTTeskActorWrapper& w);
// Moving and MoveAnimation 0, and the actor stopped; the path is kept, so StartMoving resumes it.
// 1; 0 without a controller record or a wrapper.
RTSuccess StopMovingC(RTInstance self, RTTeskActorWrapper* w);
// The actor turns toward the point once it stands: the look-at point request replaces a pending
// look at the closest actor. 1; 0 without a controller record, a wrapper or a point.
RTSuccess LookAtPointC(RTInstance self, RTTeskActorWrapper* w, const RTFVector3D* point);

}  // namespace tesk::actor
