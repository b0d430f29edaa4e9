// One navigation sub-step of one actor: its neighbourhood, then, while it follows a path, the
// navigation step and the integrator of its vehicle mode, or, while it stands, its pending turn.
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// An actor riding (an ambulance passenger, on a gurney, in a wheelchair, carried) is stopped and
// gets nothing else. A moving actor on foot (modes 0, 7, 8, 10) runs ProcessNavigation and
// MoveWalking, each moving step with the same time; the vehicle drivers' steps come with the
// vehicles. A standing actor with look-at enabled is stopped and turns toward its pending look-at
// point or closest actor, raising "OnDoneLookAtPoint" or "OnDoneLookAtClosest" when it faces it.
void StepNavigation(RTInstance self, ActorControllerData& actor, RTTeskActorWrapper& w, float time, float dt);

}  // namespace tesk::actor
