// The fixed sub-steps that move an actor by the game-clock time elapsed since the last frame, so
// that movement does not depend on the frame rate: whole steps of 0.03 seconds, each given the
// time at its start, then one step of the remainder (also when it is 0), given the time at its end.
// A moving actor runs a sub-step as two halves when it would otherwise cover more than its arrival
// tolerance in one.
#pragma once

#include <cstdint>

#include "kivo/actor/actor_calls.h"
#include "kivo/support/numeric.h"

namespace tesk::actor {

inline constexpr float kSubStep = 0.03f;
// The reciprocal of the single-precision 0.03, as a double.
inline constexpr double kSubStepsPerSecond = 33.33333407839141;

// The number of whole steps in `elapsed`: the product taken in extended precision (the double
// factor widened, not an extended literal), truncated through the checked conversion. The
// single-precision 0.03 itself gives 0, its product lying just below 1.
inline uint32_t WholeSubSteps(float elapsed) {
  return kivo::FloatToInt<uint32_t>(static_cast<long double>(elapsed) * static_cast<long double>(kSubStepsPerSecond));
}

// step(time, length) for every sub-step of `elapsed` seconds after `last`.
template <class Step>
void RunSubSteps(float last, float elapsed, Step&& step) {
  const uint32_t whole = WholeSubSteps(elapsed);
  float t = last;
  for (uint32_t i = 0; i < whole; ++i) {
    step(t, kSubStep);
    t += kSubStep;
  }
  const float remainder = elapsed - static_cast<float>(whole) * kSubStep;
  step(t + remainder, remainder);
}

struct MovingSteps {
  uint32_t count;
  float length;
};
inline MovingSteps MovingStepsOf(const RTTeskActorWrapper& w, float dt) {
  return w.Speed * dt > w.ArrivalTolerance ? MovingSteps{2, dt * 0.5f} : MovingSteps{1, dt};
}

}  // namespace tesk::actor
