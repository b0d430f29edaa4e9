// The bone tree: adding bones, finding them, their matrices and custom poses, figure mode and the
// hierarchy view.
#include <cstring>

#include "bone_constraints.h"
#include "bone_methods.h"
#include "bone_model_state.h"
#include "kivo/support/core_arrays.h"
#include "kivo/support/matrix.h"
#include "kivo/support/quaternion.h"
#include "kivo/support/raise.h"

namespace kivo::skin {

namespace {

template <class... Args>
RTSuccess Refuse(std::u16string_view format, const Args&... args) {
  RaiseFormatted(kLevelError, format, args...);
  return kRTFailure;
}

// The custom matrix back to the rest pose, its rotation in step.
void ToRestPose(RTBoneNode* bone) {
  bone->customMatrix = bone->restLocal;
  MatToQuat(bone->customMatrix, &bone->rotation);
}

BoneHierarchyNode* NewView(RTBoneNode* bone, BoneHierarchyNode* parent) {
  void* block = nullptr;
  if (!ModuleCore()->MemAlloc(nullptr, sizeof(BoneHierarchyNode), &block, 1)) return nullptr;
  auto* view = static_cast<BoneHierarchyNode*>(block);
  view->bone = bone;
  view->parent = parent;
  if (!NewArray(bone->childCount, &view->children)) {
    FreeHierarchy(view);
    return nullptr;
  }
  view->childCount = bone->childCount;
  for (uint32_t i = 0; i < bone->childCount; ++i) {
    view->children[i] = NewView(bone->children[i], view);
    if (!view->children[i]) {
      FreeHierarchy(view);
      return nullptr;
    }
  }
  return view;
}

}  // namespace

RTSuccess AddNode(RTInstance self, const char16_t* name, const RTFMatrix4x4* inverseBind, const RTFMatrix4x4* restLocal,
                  uint32_t n, const uint32_t* vertexIndices, const float* weights, const RTFVector3D* pivot,
                  float coneLength, RTBoneNode* parent, RTBoneNode** out) {
  BoneModelState* state = StateOf(self);
  if (!state || !inverseBind || !restLocal || !out) return kRTFailure;
  if (n && (!vertexIndices || !weights)) return Refuse(u"RTBoneModel::AddNode(): influences are counted but not given");
  if (parent && !Contains(state->root, parent))
    return Refuse(u"RTBoneModel::AddNode(): the parent is not a bone of this skin");
  if (parent && DepthOf(parent) >= kMaxDepth)
    return Refuse(u"RTBoneModel::AddNode(): the tree would be deeper than %u bones", kMaxDepth);
  RTFVector3D* vertices = nullptr;
  uint32_t vertexCount = 0;
  GetVectorListF(self, &vertices, &vertexCount);
  for (uint32_t k = 0; k < n; ++k)
    if (vertexIndices[k] >= vertexCount)
      return Refuse(u"RTBoneModel::AddNode(): influence %u names vertex %u of %u", k, vertexIndices[k], vertexCount);

  RTBoneNode* bone = NewBone(name);
  if (!bone || !CopyArray(vertexIndices, n, &bone->vertexIndices) || !CopyArray(weights, n, &bone->weights)) {
    FreeTree(bone);
    return kRTFailure;
  }
  bone->influenceCount = n;
  if (pivot) bone->pivot = *pivot;
  bone->coneLength = coneLength;
  bone->inverseBind = *inverseBind;
  bone->restLocal = *restLocal;
  ToRestPose(bone);  // its rotation in step with the custom matrix
  bone->inverseRestLocal = *restLocal;
  Mat4InvertRigid(&bone->inverseRestLocal);
  if (parent) {
    if (!AppendChild(parent, bone)) {
      FreeTree(bone);
      return kRTFailure;
    }
  } else if (state->root) {
    // The tree it replaces stays the skin's: its bones and any view of it stay valid.
    if ((!state->replacedRoots && !ListCreate(&state->replacedRoots)) ||
        !ListAppend(state->replacedRoots, state->root)) {
      FreeTree(bone);
      return kRTFailure;
    }
  }
  if (!parent) state->root = bone;
  *out = bone;
  return kRTSuccess;
}

RTSuccess GetRootNode(RTInstance self, RTBoneNode** root) {
  BoneModelState* state = StateOf(self);
  if (!state || !root) return kRTFailure;
  *root = state->root;
  return kRTSuccess;
}

RTSuccess GetNode(RTInstance self, const char16_t* name, RTBoneNode** bone) {
  BoneModelState* state = StateOf(self);
  if (!state || !bone) return kRTFailure;
  RTBoneNode* found = FindBoneByName(state->root, name);
  if (!found) return kRTFailure;
  *bone = found;
  return kRTSuccess;
}

RTSuccess GetNodeTM(RTInstance, const RTBoneNode* bone, const RTFMatrix4x4** world) {
  if (!bone || !world) return kRTFailure;
  *world = &bone->worldMatrix;
  return kRTSuccess;
}

RTSuccess GetLocalTM(RTInstance, const RTBoneNode* bone, const RTFMatrix4x4** local) {
  if (!bone || !local) return kRTFailure;
  *local = &bone->motionMatrix;
  return kRTSuccess;
}

RTSuccess GetNodeName(RTInstance, const RTBoneNode* bone, const char16_t** name) {
  if (!bone || !name) return kRTFailure;
  *name = bone->name;
  return kRTSuccess;
}

RTSuccess GetPivot(RTInstance, const RTBoneNode* bone, RTFVector3D* pivot) {
  if (!bone || !pivot) return kRTFailure;
  *pivot = bone->pivot;
  return kRTSuccess;
}

RTSuccess ManipulateNode(RTInstance, RTBoneNode* bone, const RTFMatrix4x4* matrix) {
  if (!bone || !matrix) return kRTFailure;
  bone->custom = 1;
  bone->customMatrix = *matrix;
  return kRTSuccess;
}

RTSuccess ResetNode(RTInstance, RTBoneNode* bone) {
  if (!bone) return kRTFailure;
  bone->custom = 0;
  return kRTSuccess;
}

RTSuccess SetCustom(RTInstance, RTBoneNode* bone, RTBool custom) {
  if (!bone) return kRTFailure;
  bone->custom = custom;
  return kRTSuccess;
}

RTSuccess GetCustom(RTInstance, const RTBoneNode* bone, RTBool* custom) {
  if (!bone || !custom) return kRTFailure;
  *custom = bone->custom;
  return kRTSuccess;
}

RTSuccess ResetCustom(RTInstance, RTBoneNode* bone) {
  if (!bone) return kRTFailure;
  ToRestPose(bone);
  return kRTSuccess;
}

RTSuccess GetCustomTM(RTInstance, const RTBoneNode* bone, RTFVector3D* euler) {
  if (!bone || !euler) return kRTFailure;
  float x = 0, y = 0, z = 0;
  MatToEuler(bone->customMatrix, &x, &y, &z);
  euler->x = Degrees(x);
  euler->y = Degrees(y);
  euler->z = Degrees(z);
  return kRTSuccess;
}

RTSuccess FigureMode(RTInstance self, RTBool enable) {
  BoneModelState* state = StateOf(self);
  if (!state) return kRTFailure;
  VisitBones(state->root, [&](RTBoneNode* bone) {
    bone->custom = enable;
    if (!enable) return;
    ToRestPose(bone);
    Mat4Multiply(bone->customMatrix, ParentWorld(*state, *bone), &bone->worldMatrix);
  });
  return kRTSuccess;
}

RTSuccess GetHierarchy(RTInstance self, BoneHierarchyNode** root) {
  BoneModelState* state = StateOf(self);
  if (!state || !root) return kRTFailure;
  if (!state->hierarchy && state->root) {
    state->hierarchy = NewView(state->root, nullptr);
    if (!state->hierarchy) return kRTFailure;
  }
  *root = state->hierarchy;
  return kRTSuccess;
}

}  // namespace kivo::skin
