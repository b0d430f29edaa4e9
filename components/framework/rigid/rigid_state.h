// The motion player's state, shared by its methods, its stream and RTArticulated, the class derived
// from it, which changes the motion set in place.
#pragma once

#include <vector>

#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/motion_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/instance_ref.h"

namespace kivo::rigid {

inline constexpr uint32_t kStateWord = kObjectSize - 4;

// A change of motion blending in: the motion left, held at its time, and how long the new one has
// played since.
struct Blend {
  RTInstance from = nullptr;  // held by the set, or null when there is no blend
  float fromTime = 0.0f;
  RTBool fromLooping = 0;
  float elapsed = 0.0f;  // seconds
};

struct RigidState {
  std::vector<InstanceRef> motions;
  uint32_t current = 0;
  RTBool looping = 0;
  RTBool playing = 0;
  float rate = 1.0f;
  float motionTime = 0.0f;  // seconds
  float tween = 0.0f;       // seconds
  Blend blend;
  // The frame time of the last evaluation, once there was one.
  bool timed = false;
  uint32_t lastFrame = 0;
  // The placement of the node it plays over, taken when it first placed the node (PlaceNode).
  bool anchored = false;
  RTFMatrix4x4 anchor{};

  RTInstance CurrentMotion() const { return current < motions.size() ? motions[current].get() : nullptr; }
};

inline RigidState* StateOf(RTInstance self) { return StateIn<RigidState>(self, kStateWord); }
// The motion's start and end times; 0 and 0 when it cannot say.
inline void SpanOf(RTInstance motion, float* start, float* end) {
  *start = 0;
  *end = 0;
  if (motion && !motion::GetInfo(motion, start, end)) *start = *end = 0;
}

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream);
RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream);

}  // namespace kivo::rigid
