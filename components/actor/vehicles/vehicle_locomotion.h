// The integrators of a driven vehicle: the wheelchair's pusher (mode 5), the gurney's driver
// (mode 3) and the ambulance's driver (mode 1). Each integrates the velocity as a walker does, then
// moves the driver's frame along its own forward at the signed speed (negative when reversing),
// turning it by the wheel angle (the ambulance as a bicycle of wheelbase 2.0), and animates the
// vehicle's nodes: wheels spin with the distance rolled, the chair swivels on its pusher, the
// casters and the gurney's rear struts follow the turn, and the gurney driver's hands stay on the
// push bar while the body leans into the curve.
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

void MoveWheelchair(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt);
void MoveGurney(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt);
void MoveAmbulance(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt);

}  // namespace tesk::actor
