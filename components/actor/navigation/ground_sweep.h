// The actor's sphere swept along the ground, the way its probes look for walls and obstacles ahead.
#pragma once

#include "kivo/actor/actor_calls.h"

namespace tesk::actor {

// How far above its radius the actor's sphere travels, clear of the floor.
inline constexpr float kProbeLift = 0.2f;

struct GroundSweep {
  RTFVector3D start{};  // the sphere's centre at the outset
  RTFVector3D move{};   // the horizontal movement from there
  bool hit = false;
  float distance = 0.0f;  // the share of the movement before the first touch
  RTFVector3D point{};
  RTFVector3D normal{};
  uint32_t wordA = 0;
};

// Sweeps the actor's sphere from above `from` toward above `to` in the room given (null: the one
// under the start), leaving out the actor's target node. *hitNode, when not null, receives a
// reference that the caller gives back.
GroundSweep SweepActorSphere(RTInstance tree, RTInstance room, const RTTeskActorWrapper& w, const RTFVector3D& from,
                             const RTFVector3D& to, RTInstance* hitNode);

}  // namespace tesk::actor
