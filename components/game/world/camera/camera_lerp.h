// The script camera's linear lerps (position, pitch, yaw, zoom) and the screen fade: a value moves
// at its rate from the time of the last step until its end time, where it takes its target.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kivo/support/math_types.h"

namespace tesk::game {

struct CameraLerp {
  uint32_t active;
  float rate;  // per second
  float endTime;
  float target;
  float lastTime;
};

// The scripted point: x and z move at their rates, y only takes its target at the end.
struct PositionLerp {
  uint32_t active;
  RTFVector3D rate;
  float endTime;
  RTFVector3D target;
  float lastTime;
  RTFVector3D current;
};

// Moves `count` values to `clock`: while clock < endTime the values that `moving` marks (bit i
// for value i) grow by (clock - lastTime) * rate; from endTime on every value takes its target.
// lastTime becomes the clock either way. True while the lerp runs on, false once it has ended.
bool LerpStep(double clock, float endTime, float* lastTime, const float* rate, const float* target, float* values,
              size_t count, uint32_t moving);

// A scalar lerp, while active, driving `value`; it turns inactive when it ends.
void StepCameraLerp(CameraLerp* lerp, double clock, float* value);
// The position lerp, while active, driving its `current`.
void StepPositionLerp(PositionLerp* lerp, double clock);

}  // namespace tesk::game
