// Locomotion: the steering that navigation produced turned into motion. The velocity integrator
// (shared with the vehicle integrators) lags its steering and acceleration, integrates in two
// averaged stages, answers the step's contacts and caps the velocity at the maximum speed; the
// walking integrator turns the heading along the velocity and moves the frame on the ground plane.
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// One step of `dt` seconds; the contacts may change the velocity, the position and the moving flag.
void IntegrateVelocity(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt);
// On foot (and modes 7 and 8): damping 0.2, the steering lagged in, the velocity integrated, then
// heading and position.
void MoveWalking(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt);

}  // namespace tesk::actor
