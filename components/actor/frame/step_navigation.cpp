#include "step_navigation.h"

#include "actor_control.h"
#include "locomotion.h"
#include "look_at.h"
#include "neighbourhood.h"
#include "script_events.h"
#include "sub_steps.h"
#include "walking_step.h"

namespace tesk::actor {

namespace {

bool Rides(uint32_t mode) { return mode == 2 || mode == 4 || mode == 6 || mode == 9; }
bool DrivesVehicle(uint32_t mode) { return mode == 1 || mode == 3 || mode == 5; }

void TurnWhileStanding(const ActorControllerData& actor, RTTeskActorWrapper& w) {
  StopActor(w);
  if (w.LookAtPointPending) {
    if (!TurnTowardLookAt(w)) {
      w.LookAtPointPending = 0;
      RaiseEvent(actor, w.ScriptObject, kDoneLookAtPoint);
    }
  } else if (w.LookAtClosestPending) {
    if (!LookAtClosestStep(w)) {
      w.LookAtClosestPending = 0;
      RaiseEvent(actor, w.ScriptObject, kDoneLookAtClosest);
    }
  }
}

}  // namespace

void StepNavigation(RTInstance self, ActorControllerData& actor, RTTeskActorWrapper& w, float time, float dt) {
  if (Rides(w.VehicleMode)) {
    StopActor(w);
    w.Moving = 0;
    w.LookAtPointPending = 0;
    w.LookAtClosestPending = 0;
    return;
  }
  UpdateNeighborhood(self, actor, w);
  if (w.Moving) {
    if (DrivesVehicle(w.VehicleMode)) return;
    const MovingSteps steps = MovingStepsOf(w, dt);
    for (uint32_t i = 0; i < steps.count; ++i) {
      ProcessNavigation(self, actor, w, time, steps.length);
      MoveWalking(self, actor, w, steps.length);
    }
    return;
  }
  if (w.LookAtEnabled) TurnWhileStanding(actor, w);
}

}  // namespace tesk::actor
