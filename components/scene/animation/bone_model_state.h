// The skin's state record as the skin's own code reaches it, its IK chains, and the bone tree's
// making, walking and freeing.
#pragma once

#include <cstdint>

#include "kivo/scene/bone_model_calls.h"
#include "kivo/support/list.h"

namespace kivo::skin {

// A chain of bones from an end effector (link 0) up to its chain root (the last link), each link
// the parent of the one before.
struct IKChain {
  char16_t* name;
  int32_t linkCount;  // at least 2
  RTBool active;
  RTBool dirty;  // changed since its last solve
  RTBoneNode** links;
  RTFMatrix4x4 target;  // only the translation counts: the goal in the skin's model space
};

// A list of the mesh kept by the skin: the bind pose as last set or loaded, and the scratch copy
// that Deform refills from it.
struct BindList {
  uint32_t count;
  RTFVector3D* working;
  RTFVector3D* bind;
};

struct BoneModelState {
  RTInstance owner;
  RTInstance rasterizer;     // one reference held; the bones are drawn through it
  RTFMatrix4x4 modelMatrix;  // identity: the parent matrix of the root bone
  BindList vertices;
  BindList normals;
  BindList tangents;
  IKChain** chains;
  int32_t chainCount;
  float damper;
  float goalDistance;
  int32_t iterationLimit;
  RTBool constraintsEnabled;
  RTBool renderBones;
  RTBool renderAxes;
  RTBoneNode* root;
  BoneHierarchyNode* hierarchy;  // built by the first GetHierarchy
  // Trees that AddNode put a new root over: their bones stay valid until the tree is streamed in
  // again or the skin is destroyed.
  List* replacedRoots;
};

BoneModelState* StateOf(RTInstance self);

// No tree is deeper than this: every walk over it recurses once per level.
inline constexpr uint32_t kMaxDepth = 256;

// A zeroed bone holding a copy of the name, with the defaults of a new bone: custom matrix
// identity, twist -30..30, arc 0..360, both radii 1, DOF 3. Null when memory runs out.
RTBoneNode* NewBone(const char16_t* name);
// Frees the bone with its subtree (children may be null).
void FreeTree(RTBoneNode* bone);
// Hangs `child` last under `parent`; false when memory runs out (nothing changes then).
bool AppendChild(RTBoneNode* parent, RTBoneNode* child);
uint32_t DepthOf(const RTBoneNode* bone);
bool Contains(const RTBoneNode* tree, const RTBoneNode* bone);
// The first bone of exactly that name, a bone before its children; null when none.
RTBoneNode* FindBoneByName(RTBoneNode* tree, const char16_t* name);
// The parent's world matrix, or the model matrix for a bone without a parent.
const RTFMatrix4x4& ParentWorld(const BoneModelState& state, const RTBoneNode& bone);

// Calls visit(bone) for the bone and its subtree in pre-order.
template <class Visit>
void VisitBones(RTBoneNode* bone, Visit&& visit) {
  if (!bone) return;
  visit(bone);
  for (uint32_t i = 0; i < bone->childCount; ++i) VisitBones(bone->children[i], visit);
}

void FreeChain(IKChain* chain);
void FreeChains(IKChain**& chains, int32_t& count);
void FreeHierarchy(BoneHierarchyNode*& view);
// Frees the tree, every tree it replaced and the view of it, and takes `root` as the skin's tree.
void ReplaceTrees(BoneModelState& state, RTBoneNode* root);
void FreeBindList(BindList& list);

// Degrees to radians as the skin converts every angle it is given: angle x 3.14159265 / 180.
float Radians(float degrees);
// Radians to degrees at full precision.
float Degrees(float radians);

}  // namespace kivo::skin
