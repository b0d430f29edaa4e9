// The navigation steps of an actor driving a vehicle: the wheelchair (mode 5), the gurney (mode 3)
// and the ambulance (mode 1). Each steers toward the path point a look-ahead beyond the nearest one
// (the distance the velocity covers in the variant's prediction time), turns the wheel toward it
// (the steering constraint is the largest wheel angle), slows on a sharp turn and near the end, and
// stops within 0.02 of the end without steering. They probe for nothing, look at nothing and leave
// SteeringState alone. Always 1.
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

RTSuccess ProcessNavigationWheelchair(RTTeskActorWrapper& w, float dt);
RTSuccess ProcessNavigationGurney(RTTeskActorWrapper& w, float dt);
RTSuccess ProcessNavigationAmbulance(RTTeskActorWrapper& w, float dt);

}  // namespace tesk::actor
