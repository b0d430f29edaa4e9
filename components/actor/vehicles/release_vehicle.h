// Making an actor leave the vehicle it uses (RTTeskActorVehicle::ReleaseVehicle).
#pragma once

#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// Always 1. An actor neither in the ambulance nor on a vehicle stays as it is; no actor uses a
// vehicle until the vehicles come.
RTSuccess ReleaseVehicle(RTInstance self, RTTeskActorWrapper* wrapper);

}  // namespace tesk::actor
