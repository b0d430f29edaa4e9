// The motion player's state, shared by its methods and its stream.
#pragma once

#include <vector>

#include "kivo/articulated/articulated_calls.h"
#include "kivo/support/instance_ref.h"

namespace kivo::articulated {

struct ArticulatedState {
  std::vector<InstanceRef> motions;
  uint32_t current = 0;
  RTBool looping = 0;
  RTBool playing = 0;
  float rate = 1.0f;
  float motionTime = 0.0f;  // seconds
  // The frame time of the last evaluation, once there was one.
  bool timed = false;
  uint32_t lastFrame = 0;
};

ArticulatedState* StateOf(RTInstance self);
// The motion's start and end times; 0 and 0 when it cannot say.
void SpanOf(RTInstance motion, float* start, float* end);

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream);
RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream);

}  // namespace kivo::articulated
