// The navigation step of an actor on foot (vehicle modes 0, 7, 8 and 10): the steering force that
// the walking integrator then applies. It first ends or continues a pending turn, then probes ahead
// (walking_probes.h), follows the path with a forward bias, arrives at or brakes toward its last
// node and stops there, and keeps the steering within the actor's cone and maximum. SteeringState
// tells what decided the step.
#pragma once

#include "actor_state.h"
#include "kivo/actor/actor_calls.h"
#include "script_cells.h"

namespace tesk::actor {

enum SteeringState : uint32_t {
  kFollowingPath = 0,
  kArriving = 1,
  kBraking = 2,
  kAvoidingObstacle = 3,
  kAvoidingActor = 4,
  kTurning = 5,
};

// One step of `dt` seconds at the frame's `time`. 1; 0, with the moving flag cleared and the message
// "Attempted to move without a path.", when the path has no segment.
RTSuccess ProcessNavigation(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float time,
                            float dt);
// Script method: SteeringState as the result.
RTSuccess GetLastSteeringState(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM vm);

}  // namespace tesk::actor
