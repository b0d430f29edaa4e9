#include "hand_bones.h"

#include "kivo/articulated/articulated_calls.h"
#include "kivo/scene/bone_model_calls.h"
#include "kivo/support/matrix.h"

namespace tesk::actor {

bool FindHandBones(RTInstance skin, HandBones* hands) {
  return kivo::bone_model::GetNode(skin, u"Bip01 L Hand", &hands->left) &&
         kivo::bone_model::GetNode(skin, u"Bip01 R Hand", &hands->right);
}

void AttachHands(RTInstance animator, const HandBones& hands, RTInstance left, RTInstance right) {
  RTFMatrix4x4 atTheBone;
  kivo::Mat4Identity(&atTheBone);
  kivo::articulated::AttachNode(animator, hands.right, &atTheBone, right);
  kivo::articulated::AttachNode(animator, hands.left, &atTheBone, left);
}

}  // namespace tesk::actor
