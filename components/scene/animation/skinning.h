// Posing the bone tree from a motion, and the inverse-kinematics solve that Deform runs between
// the pose and the blend.
#pragma once

#include "bone_model_state.h"

namespace kivo {
struct MotionNode;
}

namespace kivo::skin {

// Poses the bone and its subtree from the motion node (paired child by child): local matrix x
// `parent`. False, reported, when the motion has fewer children somewhere; the bones after that
// keep their matrices.
bool MatchSkinHierarchy(RTBoneNode* bone, RTInstance motion, const RTFMatrix4x4& parent, const MotionNode* node);
// Poses the whole tree from the motion's root node.
void PoseFromMotion(BoneModelState& state, RTInstance motion);

// Solves every active chain that changed since its last solve; true when each reached the goal
// distance, false when one ran out of iterations. After a solve the whole skeleton is posed again
// from the motion so that the bones outside the chains follow.
bool SolveIK(BoneModelState& state, RTInstance motion);

}  // namespace kivo::skin
