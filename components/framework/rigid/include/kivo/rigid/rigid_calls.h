// Calls on RTRigid, the motion player of a node: a set of motions (RTAnimTrack instances, each held
// with a reference) of which it plays one. Its level follows RTComponent's; RTArticulated, the
// player of a character's skin, derives from it (articulated_calls.h).
//
// The current motion plays from its start time at `rate` times real time while playing is on; a
// looping motion wraps around its start..end span, any other holds at its end, where it is done.
// A skin whose scene node carries the player has it evaluate its motion once a frame (Evaluate):
// the motion time advances by the milliseconds since the last frame time it saw, times the rate,
// and the motion is evaluated there. With a tween time above 0, a change of motion blends from the
// pose of the motion left, held where it was, into the new one over that many seconds of playing.
//
// A player that is a modifier of a scene node without a skin moves the node itself: the scene
// tree's transform update has it place the node once a frame (PlaceNode).
#pragma once

#include "kivo/slots.h"
#include "kivo/support/math_types.h"

namespace kivo::rigid {

inline constexpr char16_t kClassName[] = u"RTRigid";

inline constexpr MethodSlot<RTInstance, uint32_t*> kAppendMotion{0x00};  // (motion, out index)
inline constexpr MethodSlot<uint32_t> kSetMotion{0x04};  // (index)
inline constexpr MethodSlot<uint32_t*> kGetMotion{0x08};  // (out index)
inline constexpr MethodSlot<RTBool> kSetLooping{0x0c};
inline constexpr MethodSlot<RTBool> kSetPlaying{0x10};
inline constexpr MethodSlot<float> kSetRate{0x14};
inline constexpr MethodSlot<float*> kGetRate{0x18};
inline constexpr MethodSlot<float> kSetMotionTime{0x1c};  // seconds
inline constexpr MethodSlot<float*> kGetMotionTime{0x20};
inline constexpr MethodSlot<RTBool*> kIsMotionDone{0x24};
inline constexpr MethodSlot<uint32_t, RTInstance*> kEvaluate{0x28};  // (frame time in milliseconds, out motion)
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x2c};  // overrides RTComponent's: (stage, stream)
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x30};
inline constexpr MethodSlot<float> kSetTween{0x34};  // seconds
inline constexpr MethodSlot<float*> kGetTween{0x38};
inline constexpr MethodSlot<RTInstance> kCopyInto{0x3c};  // (target player)
inline constexpr MethodSlot<> kClearMotions{0x40};
inline constexpr MethodSlot<RTBool> kPlay{0x44};
// (milliseconds, in/out placement, out placed)
inline constexpr MethodSlot<uint32_t, RTFMatrix4x4*, RTBool*> kPlaceNode{0x48};
inline constexpr uint32_t kLevel = 0x08;
inline constexpr uint32_t kOwnTable = 0x0C;
inline constexpr uint32_t kObjectSize = 0x14;
inline constexpr uint32_t kSlotTableSize = kPlaceNode + 4;
inline constexpr uint32_t kStreamVersion = 1;

// Adds the motion (an RTAnimTrack) at the end of the set; *index is its place.
inline RTSuccess AppendMotion(RTInstance p, RTInstance motion, uint32_t* index) {
  return CallMethod(p, kLevel, kAppendMotion, motion, index);
}
// Makes the motion at the index the current one, its time at its start; the current one again
// changes nothing. An index beyond the set fails.
inline RTSuccess SetMotion(RTInstance p, uint32_t index) { return CallMethod(p, kLevel, kSetMotion, index); }
inline RTSuccess GetMotion(RTInstance p, uint32_t* index) { return CallMethod(p, kLevel, kGetMotion, index); }
inline RTSuccess SetLooping(RTInstance p, RTBool looping) { return CallMethod(p, kLevel, kSetLooping, looping); }
inline RTSuccess SetPlaying(RTInstance p, RTBool playing) { return CallMethod(p, kLevel, kSetPlaying, playing); }
// 1.0 plays at real time; made at 1.0.
inline RTSuccess SetRate(RTInstance p, float rate) { return CallMethod(p, kLevel, kSetRate, rate); }
inline RTSuccess GetRate(RTInstance p, float* rate) { return CallMethod(p, kLevel, kGetRate, rate); }
inline RTSuccess SetMotionTime(RTInstance p, float seconds) { return CallMethod(p, kLevel, kSetMotionTime, seconds); }
inline RTSuccess GetMotionTime(RTInstance p, float* seconds) { return CallMethod(p, kLevel, kGetMotionTime, seconds); }
// 0 while the current motion plays on; 1 once a motion that does not loop reached its end, and
// when the set is empty.
inline RTSuccess IsMotionDone(RTInstance p, RTBool* done) { return CallMethod(p, kLevel, kIsMotionDone, done); }
// Advances the time once per frame time and evaluates the current motion there (RTAnimTrack's
// UpdateFrame, or TweenFrame while a change of motion blends); *motion is that motion with a
// reference for the caller. Fails, null, when the set is empty.
inline RTSuccess Evaluate(RTInstance p, uint32_t milliseconds, RTInstance* motion) {
  return CallMethod(p, kLevel, kEvaluate, milliseconds, motion);
}
// The blend time of a change of motion in seconds (0 when made: no blend); a negative time or a
// NaN is refused.
inline RTSuccess SetTween(RTInstance p, float seconds) { return CallMethod(p, kLevel, kSetTween, seconds); }
inline RTSuccess GetTween(RTInstance p, float* seconds) { return CallMethod(p, kLevel, kGetTween, seconds); }

// The target player (an RTRigid or a descendant, not this one) takes this one's motions (a
// reference each), current motion, looping, playing, rate and tween, from motion time 0 and with
// no blend; what it had goes.
inline RTSuccess CopyInto(RTInstance p, RTInstance target) { return CallMethod(p, kLevel, kCopyInto, target); }
// Gives up every motion of the set: the player holds none and is done. Its time starts again at 0
// and its frame clock afresh (the next evaluation adds no time); looping, playing, rate and tween
// stay.
inline RTSuccess ClearMotions(RTInstance p) { return CallMethod(p, kLevel, kClearMotions); }
// 1: the current motion plays from its start; 0: playing stops where it is (the pose stays).
inline RTSuccess Play(RTInstance p, RTBool play) { return CallMethod(p, kLevel, kPlay, play); }
// While playing: advances and evaluates the current motion (Evaluate) and *placement := the
// motion's first node's transform in the frame of the node's anchor, the placement the node had
// (as given here) when the player first played over it; *placed := 1. A stopped player, or one
// without a motion, leaves *placement as it is and gives *placed := 0.
inline RTSuccess PlaceNode(RTInstance p, uint32_t milliseconds, RTFMatrix4x4* placement, RTBool* placed) {
  return CallMethod(p, kLevel, kPlaceNode, milliseconds, placement, placed);
}

// A node's animation as the game starts it (its two values passed through): `motion` selects the
// motion of the set, a non-zero `looping` loops it, and the motion plays from its start.
inline RTSuccess PlayNodeAnimation(RTInstance p, uint32_t motion, uint32_t looping) {
  return SetMotion(p, motion) && SetLooping(p, looping != 0 ? 1 : 0) && Play(p, 1) ? kRTSuccess : kRTFailure;
}

}  // namespace kivo::rigid
