#include "body_animation.h"

#include <cmath>

#include "kivo/rigid/rigid_calls.h"

namespace tesk::actor {

namespace {

using namespace kivo;

using kivo::actor::kOnFoot;
constexpr uint32_t kDriver = 1;
constexpr uint32_t kCarrier = 8;
constexpr uint32_t kFirstIdle = 39;
constexpr float kIdleSwitch = 5.0f;

uint32_t CurrentMotion(RTInstance player) {
  uint32_t motion = 0;
  rigid::GetMotion(player, &motion);
  return motion;
}

void PlayMotion(RTInstance player, uint32_t motion) {
  rigid::SetMotion(player, motion);
  rigid::SetLooping(player, 1);
  rigid::SetPlaying(player, 1);
}

void PlayIdle(RTInstance player, uint32_t motion) {
  rigid::SetMotion(player, motion);
  rigid::SetLooping(player, 1);
  rigid::SetRate(player, 1.0f);
  rigid::SetPlaying(player, 1);
}

bool PushesVehicle(uint32_t mode) { return mode == 5 || mode == 3; }

void WhileMoving(RTTeskActorWrapper& w) {
  if (w.VehicleMode == kDriver) return;
  const bool ownPace = w.VehicleMode == kOnFoot || w.VehicleMode == kCarrier;
  const float rate = ownPace ? std::fabs(w.Speed) : w.VehicleAnimationRate;
  const uint32_t current = CurrentMotion(w.Animator);
  rigid::SetRate(w.Animator, rate);
  if (rate > 0.0f) {
    if (current != w.MotionWalk && w.VehicleMode == kOnFoot)
      PlayMotion(w.Animator, w.MotionWalk);
    else if (current != w.MotionWheelchair && PushesVehicle(w.VehicleMode) && !w.MoveReverse)
      PlayMotion(w.Animator, w.MotionWheelchair);
    else if (current != w.MotionWheelchairB && PushesVehicle(w.VehicleMode) && w.MoveReverse)
      PlayMotion(w.Animator, w.MotionWheelchairB);
    else if (current != w.MotionCarry && w.VehicleMode == kCarrier)
      PlayMotion(w.Animator, w.MotionCarry);
  } else if (w.VehicleMode == kOnFoot && !w.Ambulance) {
    PlayMotion(w.Animator, w.MotionIdle);
  }
}

void IdleCycle(RTTeskActorWrapper& w, float now) {
  const uint32_t current = CurrentMotion(w.Animator);
  if (current < kFirstIdle || current > kNeutralIdle) {
    PlayIdle(w.Animator, kNeutralIdle);
    w.IdleMotion = kNeutralIdle;
    w.IdleSwitchTime = now;
    w.IdleVariation = 1;
    return;
  }
  if (w.AvoidPriority != 0 || !(now - w.IdleSwitchTime > kIdleSwitch)) return;
  w.IdleSwitchTime = now;
  if (w.IdleVariation) {
    w.IdleMotion = NextIdleVariation(w.IdleMotion);
    PlayIdle(w.Animator, w.IdleMotion);
  } else {
    w.IdleMotion = current;
    PlayIdle(w.Animator, kNeutralIdle);
  }
  w.IdleVariation = 1 - w.IdleVariation;
}

void WhileStanding(RTTeskActorWrapper& w, float now) {
  if (w.MoveAnimation) return;
  if (w.VehicleMode == kOnFoot) {
    if (!w.IdlesDisabled)
      IdleCycle(w, now);
    else if (CurrentMotion(w.Animator) != w.MotionIdle)
      PlayIdle(w.Animator, w.MotionIdle);
  }
  if (w.VehicleMode == kCarrier && CurrentMotion(w.Animator) != kCarryIdle) PlayIdle(w.Animator, kCarryIdle);
}

}  // namespace

uint32_t NextIdleVariation(uint32_t motion) {
  switch (motion) {
    case 44:
      return 42;
    case 42:
      return 39;
    case 39:
      return 40;
    case 40:
      return 41;
    case 41:
      return 39;
    default:
      return kNeutralIdle;
  }
}

RTSuccess UpdateBodyAnimation(RTTeskActorWrapper& w, float now) {
  if (!w.Animator) return kRTFailure;
  if (w.Moving)
    WhileMoving(w);
  else
    WhileStanding(w, now);
  return kRTSuccess;
}

}  // namespace tesk::actor
