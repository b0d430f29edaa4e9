// The limits of single bones as the skin's methods set and apply them: SetIKTSConstraints and its
// getter, the constraints switch, SetCustomTM, SetIKRangeTest and CopyIK.
#include <algorithm>
#include <cmath>

#include "bone_constraints.h"
#include "bone_methods.h"
#include "bone_model_state.h"
#include "kivo/support/matrix.h"
#include "kivo/support/numeric.h"
#include "kivo/support/quaternion.h"
#include "kivo/support/raise.h"

namespace kivo::skin {

namespace {

constexpr RTFVector3D kBoneAxis{1, 0, 0, 0};

// The rotation becomes the bone's custom rotation, written into the upper 3x3 of its matrix.
void TakeRotation(RTBoneNode* bone, const Quaternion& rotation) {
  bone->rotation = rotation;
  RTFMatrix3x3 turn;
  QuatToMat3(rotation, &turn);
  Mat4SetRotation(&bone->customMatrix, turn);
}

// The rotation in the bone's custom matrix, split, limited (the twist first unless told otherwise)
// and put back together as twist x swing.
void LimitCustomRotation(RTBoneNode* bone, const Quaternion& q, bool twistFirst) {
  SwingTwist parts = SplitSwingTwist(*bone, q);
  if (twistFirst) ClampTwist(*bone, &parts.twist);
  ApplySwingConstraint(*bone, &parts.swing);
  if (!twistFirst) ClampTwist(*bone, &parts.twist);
  Quaternion limited{};
  QuatMultiply(parts.twist, parts.swing, &limited);
  TakeRotation(bone, limited);
}

// Pairs the bones of two trees of the same shape; children up to the smaller count.
void CopyLimits(const RTBoneNode& from, RTBoneNode* to) {
  to->dof = from.dof;
  to->sweepOffset = from.sweepOffset;
  to->radiusA = from.radiusA;
  to->radiusB = from.radiusB;
  to->arcMin = from.arcMin;
  to->arcMax = from.arcMax;
  to->twistMin = from.twistMin;
  to->twistMax = from.twistMax;
  BuildConeSamples(to);
  for (uint32_t i = 0; i < std::min(from.childCount, to->childCount); ++i)
    CopyLimits(*from.children[i], to->children[i]);
}

}  // namespace

RTSuccess SetIKTSConstraints(RTInstance, RTBoneNode* bone, const RTFVector3D* sweepOffset, float radiusA, float radiusB,
                             float arc1, float arc2, float twist1, float twist2, uint32_t dof) {
  if (!bone || !sweepOffset) return kRTFailure;
  bone->sweepOffset = *sweepOffset;
  bone->radiusA = radiusA;
  bone->radiusB = radiusB;
  bone->arcMin = std::min(arc1, arc2);
  bone->arcMax = std::max(arc1, arc2);
  bone->twistMin = std::min(twist1, twist2);
  bone->twistMax = std::max(twist1, twist2);
  bone->dof = dof;
  BuildConeSamples(bone);
  return kRTSuccess;
}

RTSuccess GetIKTSConstraints(RTInstance, const RTBoneNode* bone, RTFVector3D* sweepOffset, float* radiusA,
                             float* radiusB, float* arcMin, float* arcMax, float* twistMin, float* twistMax,
                             uint32_t* dof) {
  if (!bone || !sweepOffset || !radiusA || !radiusB || !arcMin || !arcMax || !twistMin || !twistMax || !dof)
    return kRTFailure;
  *sweepOffset = bone->sweepOffset;
  *radiusA = bone->radiusA;
  *radiusB = bone->radiusB;
  *arcMin = bone->arcMin;
  *arcMax = bone->arcMax;
  *twistMin = bone->twistMin;
  *twistMax = bone->twistMax;
  *dof = bone->dof;
  return kRTSuccess;
}

RTSuccess SetEnableIKConstraints(RTInstance self, RTBool enable) {
  BoneModelState* state = StateOf(self);
  if (!state) return kRTFailure;
  state->constraintsEnabled = enable;
  return kRTSuccess;
}

RTSuccess GetEnableIKConstraints(RTInstance self, RTBool* enable) {
  BoneModelState* state = StateOf(self);
  if (!state || !enable) return kRTFailure;
  *enable = state->constraintsEnabled;
  return kRTSuccess;
}

// Without constraints only the matrix changes: the rotation keeps its value.
RTSuccess SetCustomTM(RTInstance self, RTBoneNode* bone, const RTFVector3D* euler) {
  BoneModelState* state = StateOf(self);
  if (!state || !bone || !euler) return kRTFailure;
  RTFMatrix3x3 turn;
  Mat3FromEuler(&turn, Radians(euler->x), Radians(euler->y), Radians(euler->z));
  Mat4SetRotation(&bone->customMatrix, turn);
  if (!state->constraintsEnabled) return kRTSuccess;
  Quaternion q{};
  MatToQuat(bone->customMatrix, &q);
  LimitCustomRotation(bone, q, true);
  return kRTSuccess;
}

RTSuccess SetIKRangeTest(RTInstance self, RTBoneNode* bone, float fraction) {
  BoneModelState* state = StateOf(self);
  if (!state || !bone) return kRTFailure;
  if (bone->coneSampleCount == 0) return kRTSuccess;
  // Held to the ring: a fraction outside 0..1 (or NaN) would index past it.
  const float along = std::isnan(fraction) ? 0.0f : std::clamp(fraction, 0.0f, 1.0f);
  const auto index = FloatToInt<uint32_t>(static_cast<float>(bone->coneSampleCount - 1) * along);
  RTFVector3D sample{}, axis{};
  RTFMatrix4x4 rest = bone->restLocal, custom = bone->customMatrix;
  Mat4SetTranslation(&rest, RTFVector3D{});
  Mat4SetTranslation(&custom, RTFVector3D{});
  Mat4TransformPoint(rest, bone->coneSamples[index], &sample);
  Mat4TransformPoint(custom, kBoneAxis, &axis);
  Quaternion toward{}, rotation{};
  QuatFromTwoVectors(axis, sample, &toward);
  QuatMultiply(bone->rotation, toward, &rotation);
  TakeRotation(bone, rotation);
  if (state->constraintsEnabled) LimitCustomRotation(bone, bone->rotation, false);
  return kRTSuccess;
}

RTSuccess CopyIK(RTInstance self, RTInstance other) {
  BoneModelState* state = StateOf(self);
  if (!state || !other || !ModuleCore()->IsKindOfByName(nullptr, other, bone_model::kClassName)) {
    RaiseFormatted(kLevelError, u"RTBoneModel::CopyIK(): the other instance is no RTBoneModel");
    return kRTFailure;
  }
  BoneModelState* target = StateOf(other);
  if (!target) return kRTFailure;
  if (state->root && target->root) CopyLimits(*state->root, target->root);
  return kRTSuccess;
}

}  // namespace kivo::skin
