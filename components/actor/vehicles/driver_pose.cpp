#include "driver_pose.h"

#include "kivo/scene/bone_model_calls.h"

namespace tesk::actor {

namespace {

using namespace kivo;

bool HasArms(const RTTeskActorWrapper& w) {
  return w.Skin && w.LeftArmChain != kivo::actor::kNoChain && w.RightArmChain != kivo::actor::kNoChain;
}

}  // namespace

void SetArmsActive(RTTeskActorWrapper& w, RTBool active) {
  if (!HasArms(w)) return;
  bone_model::SetIKChainActive(w.Skin, active, w.LeftArmChain);
  bone_model::SetIKChainActive(w.Skin, active, w.RightArmChain);
}

void PoseDriverArms(RTTeskActorWrapper& w, const RTFMatrix4x4& left, const RTFMatrix4x4& right) {
  if (!HasArms(w)) return;
  bone_model::SetIKTarget(w.Skin, &left, w.LeftArmChain);
  bone_model::SetIKTarget(w.Skin, &right, w.RightArmChain);
}

void TurnDriverBody(RTTeskActorWrapper& w, const RTFMatrix4x4& turn) {
  if (w.Skin && w.SpineBone) bone_model::ManipulateNode(w.Skin, w.SpineBone, &turn);
}

}  // namespace tesk::actor
