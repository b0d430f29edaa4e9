// The particle initializer of the hand effect, which the first actor made after the library loads
// (or after ResetStates) carries.
#pragma once

#include "kivo/particles/particle_system_calls.h"

namespace tesk::actor {

// A new particle: its start step, a blue tint, a drift on the ground plane and a small size, at the
// system's origin, falling slowly.
void InitHandParticle(RTParticle* particle);

}  // namespace tesk::actor
