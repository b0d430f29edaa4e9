#include "driver_pose.h"

#include "kivo/articulated/articulated_calls.h"

namespace tesk::actor {

namespace {

using namespace kivo;

bool HasArms(const RTTeskActorWrapper& w) {
  return w.Animator && w.LeftArmChain != kivo::actor::kNoChain && w.RightArmChain != kivo::actor::kNoChain;
}

}  // namespace

void SetArmsActive(RTTeskActorWrapper& w, RTBool active) {
  if (!HasArms(w)) return;
  articulated::SetReachActive(w.Animator, w.LeftArmChain, active);
  articulated::SetReachActive(w.Animator, w.RightArmChain, active);
}

void PoseDriverArms(RTTeskActorWrapper& w, const RTFMatrix4x4& left, const RTFMatrix4x4& right) {
  if (!HasArms(w)) return;
  articulated::SetReachTarget(w.Animator, w.LeftArmChain, &left);
  articulated::SetReachTarget(w.Animator, w.RightArmChain, &right);
}

void TurnDriverBody(RTTeskActorWrapper& w, const RTFMatrix4x4& turn) {
  if (w.Animator && w.SpineBone) articulated::SetBoneTurn(w.Animator, w.SpineBone, &turn);
}

}  // namespace tesk::actor
