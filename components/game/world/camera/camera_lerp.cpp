#include "camera_lerp.h"

namespace tesk::game {

bool LerpStep(double clock, float endTime, float* lastTime, const float* rate, const float* target, float* values,
              size_t count, uint32_t moving) {
  const bool running = clock < endTime;
  for (size_t i = 0; i < count; ++i) {
    if (!running)
      values[i] = target[i];
    else if (moving & (1u << i))
      values[i] = static_cast<float>(values[i] + (clock - *lastTime) * rate[i]);
  }
  *lastTime = static_cast<float>(clock);
  return running;
}

void StepCameraLerp(CameraLerp* lerp, double clock, float* value) {
  if (!lerp->active) return;
  if (!LerpStep(clock, lerp->endTime, &lerp->lastTime, &lerp->rate, &lerp->target, value, 1, 1u)) lerp->active = 0;
}

void StepPositionLerp(PositionLerp* lerp, double clock) {
  if (!lerp->active) return;
  constexpr uint32_t kXAndZ = 0b101;
  if (!LerpStep(clock, lerp->endTime, &lerp->lastTime, &lerp->rate.x, &lerp->target.x, &lerp->current.x, 3, kXAndZ))
    lerp->active = 0;
}

}  // namespace tesk::game
