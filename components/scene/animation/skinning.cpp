// Deform and UpdateXForm: the bones posed from a motion as its caller last evaluated it (through
// the motion's GetRootNode, GetNodeChild, GetNodeTM and GetNodeTMAdjusted; the skin never
// evaluates it), the chains solved, and the mesh's vertices and normals rebuilt as weighted sums
// of the bind pose carried by each bone's skinning matrix (inverse bind x world).
//
// The blend moves no more entries than both the mesh's list and the skin's bind list hold (the
// mesh's lists may have been set at its own level since), and an influence beyond them is skipped.
#include "skinning.h"

#include <algorithm>

#include "bind_lists.h"
#include "bone_drawing.h"
#include "bone_methods.h"
#include "kivo/scene/motion_calls.h"
#include "kivo/support/matrix.h"
#include "kivo/support/raise.h"

namespace kivo::skin {

namespace {

// Source and output lists of one Deform: `count` entries of each pair are in play.
struct BlendLists {
  const RTFVector3D* sourceVertices;
  RTFVector3D* vertices;
  uint32_t vertexCount;
  const RTFVector3D* sourceNormals;
  RTFVector3D* normals;
  uint32_t normalCount;
};

void AddWeighted(RTFVector3D& sum, float weight, const RTFVector3D& value) {
  sum.x += weight * value.x;
  sum.y += weight * value.y;
  sum.z += weight * value.z;
}

void BlendBoneWeights(const RTBoneNode& bone, const BlendLists& lists) {
  RTFMatrix4x4 skinning;
  Mat4Multiply(bone.inverseBind, bone.worldMatrix, &skinning);
  for (uint32_t k = 0; k < bone.influenceCount; ++k) {
    const uint32_t j = bone.vertexIndices[k];
    const float weight = bone.weights[k];
    RTFVector3D moved;
    if (j < lists.vertexCount) {
      Mat4TransformPoint(skinning, lists.sourceVertices[j], &moved);
      AddWeighted(lists.vertices[j], weight, moved);
    }
    if (j < lists.normalCount) {
      Mat4RotateVector(skinning, lists.sourceNormals[j], &moved);
      AddWeighted(lists.normals[j], weight, moved);
    }
  }
  for (uint32_t i = 0; i < bone.childCount; ++i) BlendBoneWeights(*bone.children[i], lists);
}

// The first n bind entries into the working list, and every entry of the mesh's list zeroed;
// returns how many entries the blend may use.
uint32_t StartBlend(const BindList& bind, const MeshList& mesh) {
  const uint32_t n = std::min(bind.count, mesh.count);
  std::copy_n(bind.bind, n, bind.working);
  std::fill_n(mesh.items, mesh.count, RTFVector3D{});
  return n;
}

MotionNode* RootNodeOf(RTInstance motion) {
  MotionNode* root = nullptr;
  motion::GetRootNode(motion, &root);
  return root;
}

}  // namespace

bool MatchSkinHierarchy(RTBoneNode* bone, RTInstance motion, const RTFMatrix4x4& parent, const MotionNode* node) {
  if (!bone->custom) {
    if (bone->parent) {
      motion::GetNodeTMAdjusted(motion, node, &bone->pivot, &bone->motionMatrix);
    } else {
      motion::GetNodeTM(motion, node, &bone->motionMatrix);
    }
  }
  Mat4Multiply(bone->custom ? bone->customMatrix : bone->motionMatrix, parent, &bone->worldMatrix);
  for (uint32_t i = 0; i < bone->childCount; ++i) {
    MotionNode* child = nullptr;
    if (!motion::GetNodeChild(motion, node, &child, i)) {
      RaiseFormatted(kLevelError, u"Incompatible Motion and Skin hierarchy");
      return false;
    }
    if (!MatchSkinHierarchy(bone->children[i], motion, bone->worldMatrix, child)) return false;
  }
  return true;
}

void PoseFromMotion(BoneModelState& state, RTInstance motion) {
  if (state.root) MatchSkinHierarchy(state.root, motion, state.modelMatrix, RootNodeOf(motion));
}

RTSuccess Deform(RTInstance self, RTInstance motion) {
  BoneModelState* state = StateOf(self);
  if (!state) return kRTFailure;
  const MeshList vertices = MeshVertices(self);
  const MeshList normals = MeshNormals(self);
  const BlendLists lists{state->vertices.working, vertices.items, StartBlend(state->vertices, vertices),
                         state->normals.working,  normals.items,  StartBlend(state->normals, normals)};
  if (!state->root) return kRTSuccess;
  PoseFromMotion(*state, motion);
  SolveIK(*state, motion);
  BlendBoneWeights(*state->root, lists);
  if (state->renderBones) DrawBonesPass(*state);
  if (state->renderAxes) DrawBoneAxesPass(*state);
  return kRTSuccess;
}

RTSuccess UpdateXForm(RTInstance self, RTInstance motion) {
  BoneModelState* state = StateOf(self);
  if (!state) return kRTFailure;
  PoseFromMotion(*state, motion);
  return kRTSuccess;
}

}  // namespace kivo::skin
