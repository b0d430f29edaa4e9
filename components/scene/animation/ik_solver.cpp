// The IK solve run by Deform: cyclic coordinate descent over each active chain that changed since
// its last solve. Each step turns one link (from the one above the end effector up to the chain
// root, then round again) so that the end effector points at the target as seen from that link,
// holds the turn to the link's limits, and poses the links below it again. A chain stops within
// the goal distance or after the iteration limit plus one steps.
#include "bone_constraints.h"
#include "kivo/support/matrix.h"
#include "kivo/support/quaternion.h"
#include "kivo/support/vector.h"
#include "skinning.h"

namespace kivo::skin {

namespace {

RTFVector3D TranslationOf(const RTFMatrix4x4& m) {
  RTFVector3D at{};
  Mat4GetTranslation(m, &at);
  return at;
}

const RTFMatrix4x4& LocalOf(const RTBoneNode& bone) { return bone.custom ? bone.customMatrix : bone.restLocal; }

// The end effector in the frame of link j's parent: the locals from link 0 up to link j.
RTFVector3D EndInParentFrame(const IKChain& chain, int32_t j) {
  RTFMatrix4x4 product;
  Mat4Identity(&product);
  for (int32_t i = 0; i <= j; ++i) Mat4Multiply(product, LocalOf(*chain.links[i]), &product);
  return TranslationOf(product);
}

// Turns link j toward the target and poses the links from it down to the end effector.
void Step(const BoneModelState& state, const IKChain& chain, int32_t j, const RTFVector3D& target) {
  RTBoneNode* link = chain.links[j];
  const RTFVector3D offset = TranslationOf(link->customMatrix);
  const RTFVector3D end = EndInParentFrame(chain, j);
  // The rigid inverse works in place: it takes a copy of the parent's world matrix.
  RTFMatrix4x4 toParent = ParentWorld(state, *link);
  Mat4InvertRigid(&toParent);
  RTFVector3D goal{};
  Mat4TransformPoint(toParent, target, &goal);

  Quaternion turn{}, q{};
  QuatFromTwoVectors(Vec3Subtract(end, offset), Vec3Subtract(goal, offset), &turn);
  QuatMultiply(link->rotation, turn, &q);
  QuatToMat4(q, &link->customMatrix);
  SwingTwist parts = SplitSwingTwist(*link, q);
  ClampTwist(*link, &parts.twist);
  if (state.constraintsEnabled) ApplySwingConstraint(*link, &parts.swing);
  QuatMultiply(parts.twist, parts.swing, &link->rotation);
  QuatToMat4(link->rotation, &link->customMatrix);
  Mat4SetTranslation(&link->customMatrix, offset);

  for (int32_t i = j; i >= 0; --i) {
    RTBoneNode* posed = chain.links[i];
    Mat4Multiply(posed->customMatrix, ParentWorld(state, *posed), &posed->worldMatrix);
  }
}

// False when the chain ran out of iterations before its end effector came within reach.
bool SolveChain(const BoneModelState& state, const IKChain& chain) {
  const RTFVector3D target = TranslationOf(chain.target);
  int32_t j = 1;
  for (int32_t k = 0;; ++k) {
    if (Vec3Distance(TranslationOf(chain.links[0]->worldMatrix), target) <= state.goalDistance) return true;
    Step(state, chain, j, target);
    if (++j > chain.linkCount - 1) j = 1;
    if (!(k < state.iterationLimit)) return false;
  }
}

}  // namespace

bool SolveIK(BoneModelState& state, RTInstance motion) {
  bool reached = true;
  bool solved = false;
  for (int32_t i = 0; i < state.chainCount; ++i) {
    IKChain& chain = *state.chains[i];
    if (!chain.active || !chain.dirty) continue;
    chain.dirty = 0;
    solved = true;
    if (!SolveChain(state, chain)) reached = false;
  }
  if (solved) PoseFromMotion(state, motion);
  return reached;
}

}  // namespace kivo::skin
