#include "step_navigation.h"

#include "actor_control.h"
#include "locomotion.h"
#include "look_at.h"
#include "neighbourhood.h"
#include "script_events.h"
#include "sub_steps.h"
#include "vehicle_locomotion.h"
#include "vehicle_steps.h"
#include "walking_step.h"

namespace tesk::actor {

namespace {

bool Rides(uint32_t mode) { return mode == 2 || mode == 4 || mode == 6 || mode == 9; }

// The navigation step and the integrator of a mode.
struct Driving {
  RTSuccess (*navigate)(RTTeskActorWrapper&, float);
  void (*move)(RTInstance, const ActorControllerData&, RTTeskActorWrapper&, float);
};

const Driving* DrivingOf(uint32_t mode) {
  static constexpr Driving kAmbulance{ProcessNavigationAmbulance, MoveAmbulance};
  static constexpr Driving kGurneyKind{ProcessNavigationGurney, MoveGurney};
  static constexpr Driving kWheelchair{ProcessNavigationWheelchair, MoveWheelchair};
  switch (mode) {
    case 1:
      return &kAmbulance;
    case 3:
      return &kGurneyKind;
    case 5:
      return &kWheelchair;
    default:
      return nullptr;
  }
}

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
    const Driving* driving = DrivingOf(w.VehicleMode);
    const MovingSteps steps = MovingStepsOf(w, dt);
    for (uint32_t i = 0; i < steps.count; ++i) {
      if (driving) {
        driving->navigate(w, steps.length);
        driving->move(self, actor, w, steps.length);
      } else {
        ProcessNavigation(self, actor, w, time, steps.length);
        MoveWalking(self, actor, w, steps.length);
      }
    }
    return;
  }
  if (w.LookAtEnabled) TurnWhileStanding(actor, w);
}

}  // namespace tesk::actor
