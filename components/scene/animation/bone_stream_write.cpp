// Writing the skin's stream; its layout is described in bone_stream_read.cpp.
#include <initializer_list>

#include "bind_lists.h"
#include "bone_methods.h"
#include "bone_model_state.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"

namespace kivo::skin {

namespace {

namespace mesh = kivo::poly_model;

bool WriteFloats(RTInstance stream, std::initializer_list<float> values) {
  for (float value : values)
    if (!StreamWriteFloat(stream, value)) return false;
  return true;
}

bool WriteBoneNode(RTInstance stream, const RTBoneNode& bone) {
  const RTFVector3D spare{};
  if (!StreamWriteWString(stream, bone.name) || !StreamWriteMatrix4(stream, bone.inverseBind) ||
      !WriteFloats(stream, {bone.arcMin, bone.arcMax, bone.coneLength}) || !StreamWriteUInt(stream, bone.dof) ||
      !StreamWriteVector(stream, bone.sweepOffset) ||
      !WriteFloats(stream, {bone.radiusA, bone.radiusB, bone.twistMin, bone.twistMax}) ||
      !StreamWriteVector(stream, bone.pivot) || !StreamWriteVector(stream, spare) ||
      !StreamWriteVector(stream, spare) || !StreamWriteMatrix4(stream, bone.restLocal) ||
      !StreamWriteUInt(stream, bone.influenceCount))
    return false;
  for (uint32_t k = 0; k < bone.influenceCount; ++k)
    if (!StreamWriteUInt(stream, bone.vertexIndices[k])) return false;
  for (uint32_t k = 0; k < bone.influenceCount; ++k)
    if (!StreamWriteFloat(stream, bone.weights[k])) return false;
  if (!StreamWriteUInt(stream, bone.childCount)) return false;
  for (uint32_t i = 0; i < bone.childCount; ++i)
    if (!WriteBoneNode(stream, *bone.children[i])) return false;
  return true;
}

bool WriteChain(RTInstance stream, const IKChain& chain) {
  if (!StreamWriteWString(stream, chain.name) || !StreamWriteUInt(stream, static_cast<uint32_t>(chain.linkCount)))
    return false;
  for (int32_t i = 0; i < chain.linkCount; ++i)
    if (!StreamWriteWString(stream, chain.links[i]->name)) return false;
  return true;
}

}  // namespace

// The mesh part holds the bind pose, not the pose of the last Deform.
RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  BoneModelState* state = StateOf(self);
  if (!state) return kRTFailure;
  ShowBindPose(self, *state);
  if (!CallParentMethod(self, mesh::kOwnTable, mesh::kStreamOut, stage, stream) ||
      !StreamWriteUInt(stream, bone_model::kStreamVersion) || !component::IsWholeStage(stage))
    return kRTFailure;
  if (!state->root) {
    RaiseFormatted(kLevelError, u"RTBoneModel::StreamOut(): the skin has no bones to write");
    return kRTFailure;
  }
  if (!WriteBoneNode(stream, *state->root) || !StreamWriteFloat(stream, state->damper) ||
      !StreamWriteUInt(stream, static_cast<uint32_t>(state->iterationLimit)) ||
      !StreamWriteFloat(stream, state->goalDistance) ||
      !StreamWriteUInt(stream, static_cast<uint32_t>(state->chainCount)))
    return kRTFailure;
  for (int32_t i = 0; i < state->chainCount; ++i)
    if (!WriteChain(stream, *state->chains[i])) return kRTFailure;
  return kRTSuccess;
}

}  // namespace kivo::skin
