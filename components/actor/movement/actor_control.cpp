#include "actor_control.h"

#include "actor_state.h"

namespace tesk::actor {

void StopActor(RTTeskActorWrapper& w) {
  for (RTFVector3D* zeroed : {&w.Steering, &w.AvoidanceVectors[0], &w.AvoidanceVectors[1], &w.SmoothedSteering,
                              &w.Acceleration, &w.Velocity})
    *zeroed = RTFVector3D{};
  w.Speed = 0.0f;
}

RTSuccess StopMovingC(RTInstance self, RTTeskActorWrapper* w) {
  if (!StateOf(self) || !w) return kRTFailure;
  w->Moving = 0;
  w->MoveAnimation = 0;
  StopActor(*w);
  return kRTSuccess;
}

RTSuccess LookAtPointC(RTInstance self, RTTeskActorWrapper* w, const RTFVector3D* point) {
  if (!StateOf(self) || !w || !point) return kRTFailure;
  w->LookAtPointPending = 1;
  w->LookAtClosestPending = 0;
  w->LookAtPoint = *point;
  return kRTSuccess;
}

}  // namespace tesk::actor
