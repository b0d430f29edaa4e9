// Calls on RTArticulated, the motion player of a character's skin: a set of motions (RTAnimTrack
// instances, each held with a reference) of which it plays one. Its level follows RTComponent's.
//
// The current motion plays from its start time at `rate` times real time while playing is on; a
// looping motion wraps around its start..end span, any other holds at its end, where it is done.
// A skin whose scene node carries the player has it evaluate its motion once a frame (Evaluate):
// the motion time advances by the milliseconds since the last frame time it saw, times the rate,
// and the motion is evaluated there.
#pragma once

#include "kivo/slots.h"

namespace kivo::articulated {

inline constexpr char16_t kClassName[] = u"RTArticulated";

enum Slot : uint32_t {
  kAppendMotion = 0x00,  // (motion, out index)
  kSetMotion = 0x04,     // (index)
  kGetMotion = 0x08,     // (out index)
  kSetLooping = 0x0c,
  kSetPlaying = 0x10,
  kSetRate = 0x14,
  kGetRate = 0x18,
  kSetMotionTime = 0x1c,  // seconds
  kGetMotionTime = 0x20,
  kIsMotionDone = 0x24,
  kEvaluate = 0x28,  // (frame time in milliseconds, out motion)
  kStreamIn = 0x2c,  // overrides RTComponent's: (stage, stream)
  kStreamOut = 0x30,
};
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;
inline constexpr uint32_t kObjectSize = 0x14;
inline constexpr uint32_t kSlotTableSize = kStreamOut + 4;
inline constexpr uint32_t kStreamVersion = 1;

// Adds the motion (an RTAnimTrack) at the end of the set; *index is its place.
inline RTSuccess AppendMotion(RTInstance a, RTInstance motion, uint32_t* index) {
  return CallMethod(a, kLevel, kAppendMotion, motion, index);
}
// Makes the motion at the index the current one, its time at its start; the current one again
// changes nothing. An index beyond the set fails.
inline RTSuccess SetMotion(RTInstance a, uint32_t index) { return CallMethod(a, kLevel, kSetMotion, index); }
inline RTSuccess GetMotion(RTInstance a, uint32_t* index) { return CallMethod(a, kLevel, kGetMotion, index); }
inline RTSuccess SetLooping(RTInstance a, RTBool looping) { return CallMethod(a, kLevel, kSetLooping, looping); }
inline RTSuccess SetPlaying(RTInstance a, RTBool playing) { return CallMethod(a, kLevel, kSetPlaying, playing); }
// 1.0 plays at real time; made at 1.0.
inline RTSuccess SetRate(RTInstance a, float rate) { return CallMethod(a, kLevel, kSetRate, rate); }
inline RTSuccess GetRate(RTInstance a, float* rate) { return CallMethod(a, kLevel, kGetRate, rate); }
inline RTSuccess SetMotionTime(RTInstance a, float seconds) { return CallMethod(a, kLevel, kSetMotionTime, seconds); }
inline RTSuccess GetMotionTime(RTInstance a, float* seconds) { return CallMethod(a, kLevel, kGetMotionTime, seconds); }
// 0 while the current motion plays on; 1 once a motion that does not loop reached its end, and
// when the set is empty.
inline RTSuccess IsMotionDone(RTInstance a, RTBool* done) { return CallMethod(a, kLevel, kIsMotionDone, done); }
// Advances the time once per frame time and evaluates the current motion there (RTAnimTrack's
// UpdateFrame); *motion is that motion with a reference for the caller. Fails, null, when the set
// is empty.
inline RTSuccess Evaluate(RTInstance a, uint32_t milliseconds, RTInstance* motion) {
  return CallMethod(a, kLevel, kEvaluate, milliseconds, motion);
}

}  // namespace kivo::articulated
