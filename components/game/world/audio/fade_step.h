// The steps of the music and ambience fades, measured in audio time.
#pragma once

#include <algorithm>

#include "kivo/support/interpolate.h"

namespace tesk::game {

// How far a fade has come, 1 and above when it is over. A fade of no length (or a negative one) is
// over at once: never a division by zero.
inline float FadeProgress(float now, float start, float duration) {
  return duration > 0.0f ? (now - start) / duration : 1.0f;
}

// The volume at `t` below 1 of a straight fade: a falling one goes no lower than 0, a rising or
// level one no higher than its target (and no lower than 0).
inline float FadeVolume(float from, float target, float t) {
  const float volume = kivo::Lerp(from, target, t);
  return std::max(0.0f, from > target ? volume : std::min(volume, target));
}

}  // namespace tesk::game
