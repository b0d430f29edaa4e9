#include "bone_model_state.h"

#include <numbers>

#include "kivo/support/component_kit.h"
#include "kivo/support/core_arrays.h"
#include "kivo/support/matrix.h"
#include "kivo/support/wide_string.h"

namespace kivo::skin {

namespace {

constexpr double kDegreesToRadians = 3.14159265 / 180;

void FreeBone(RTBoneNode* bone) {
  FreeArray(bone->name);
  FreeArray(bone->vertexIndices);
  FreeArray(bone->weights);
  FreeArray(bone->coneSamples);
  FreeArray(bone->children);
  ModuleCore()->MemFree(nullptr, bone);
}

void FreeReplacedRoots(BoneModelState& state) {
  if (!state.replacedRoots) return;
  for (RTBoneNode* root : ListItems<RTBoneNode>(state.replacedRoots)) FreeTree(root);
  ListDestroy(state.replacedRoots);
  state.replacedRoots = nullptr;
}

void FreeView(BoneHierarchyNode* node) {
  if (!node) return;
  for (uint32_t i = 0; node->children && i < node->childCount; ++i) FreeView(node->children[i]);
  FreeArray(node->children);
  ModuleCore()->MemFree(nullptr, node);
}

}  // namespace

BoneModelState* StateOf(RTInstance self) { return StateIn<BoneModelState>(self, bone_model::kStateWord); }

RTBoneNode* NewBone(const char16_t* name) {
  void* block = nullptr;
  if (!ModuleCore()->MemAlloc(nullptr, sizeof(RTBoneNode), &block, 1)) return nullptr;
  auto* bone = static_cast<RTBoneNode*>(block);
  if (!WideStrDup(name, &bone->name)) {
    ModuleCore()->MemFree(nullptr, bone);
    return nullptr;
  }
  Mat4Identity(&bone->customMatrix);
  bone->twistMin = -30;
  bone->twistMax = 30;
  bone->radiusA = 1;
  bone->radiusB = 1;
  bone->arcMin = 0;
  bone->arcMax = 360;
  bone->dof = 3;
  return bone;
}

void FreeTree(RTBoneNode* bone) {
  if (!bone) return;
  for (uint32_t i = 0; bone->children && i < bone->childCount; ++i) FreeTree(bone->children[i]);
  FreeBone(bone);
}

bool AppendChild(RTBoneNode* parent, RTBoneNode* child) {
  if (!AppendToArray(parent->children, parent->childCount, child)) return false;
  child->parent = parent;
  return true;
}

uint32_t DepthOf(const RTBoneNode* bone) {
  uint32_t depth = 0;
  for (; bone; bone = bone->parent) ++depth;
  return depth;
}

bool Contains(const RTBoneNode* tree, const RTBoneNode* bone) {
  for (; bone; bone = bone->parent)
    if (bone == tree) return true;
  return false;
}

RTBoneNode* FindBoneByName(RTBoneNode* tree, const char16_t* name) {
  if (!tree) return nullptr;
  if (WideStrCompare(tree->name, name ? name : u"") == 0) return tree;
  for (uint32_t i = 0; i < tree->childCount; ++i)
    if (RTBoneNode* found = FindBoneByName(tree->children[i], name)) return found;
  return nullptr;
}

const RTFMatrix4x4& ParentWorld(const BoneModelState& state, const RTBoneNode& bone) {
  return bone.parent ? bone.parent->worldMatrix : state.modelMatrix;
}

void FreeChain(IKChain* chain) {
  if (!chain) return;
  FreeArray(chain->name);
  FreeArray(chain->links);
  ModuleCore()->MemFree(nullptr, chain);
}

void FreeChains(IKChain**& chains, int32_t& count) {
  for (int32_t i = 0; chains && i < count; ++i) FreeChain(chains[i]);
  FreeArray(chains);
  count = 0;
}

void FreeHierarchy(BoneHierarchyNode*& view) {
  FreeView(view);
  view = nullptr;
}

void ReplaceTrees(BoneModelState& state, RTBoneNode* root) {
  FreeHierarchy(state.hierarchy);
  FreeReplacedRoots(state);
  FreeTree(state.root);
  state.root = root;
}

void FreeBindList(BindList& list) {
  FreeArray(list.working);
  FreeArray(list.bind);
  list.count = 0;
}

float Radians(float degrees) { return static_cast<float>(degrees * kDegreesToRadians); }

float Degrees(float radians) { return static_cast<float>(radians * (180 / std::numbers::pi)); }

}  // namespace kivo::skin
