// The IK chain methods and the solver settings.
#include "ik_chains.h"

#include <vector>

#include "bone_methods.h"
#include "kivo/support/core_arrays.h"
#include "kivo/support/matrix.h"
#include "kivo/support/quaternion.h"
#include "kivo/support/wide_string.h"

namespace kivo::skin {

namespace {

constexpr int32_t kLeastLinks = 2;

// The chain at the index, or null when the index is out of range.
IKChain* ChainAt(BoneModelState* state, int32_t index) {
  return state && index >= 0 && index < state->chainCount ? state->chains[index] : nullptr;
}

IKChain* ChainAt(RTInstance self, int32_t index) { return ChainAt(StateOf(self), index); }

bool SameName(const char16_t* a, const char16_t* b) { return WideStrCompare(a ? a : u"", b ? b : u"") == 0; }

void SetLinksCustom(const IKChain& chain, RTBool custom) {
  for (int32_t i = 0; i < chain.linkCount; ++i) chain.links[i]->custom = custom;
}

// Pins the links in their rest pose, from the chain root down to the end effector, and marks the
// chain for a solve.
void Activate(const BoneModelState& state, IKChain* chain) {
  SetLinksCustom(*chain, 1);
  chain->dirty = 1;
  for (int32_t i = 0; i < chain->linkCount; ++i) {
    RTBoneNode* link = chain->links[i];
    link->customMatrix = link->restLocal;
    MatToQuat(link->customMatrix, &link->rotation);
  }
  for (int32_t i = chain->linkCount - 1; i >= 0; --i) {
    RTBoneNode* link = chain->links[i];
    Mat4Multiply(link->customMatrix, ParentWorld(state, *link), &link->worldMatrix);
  }
}

void MarkEveryChain(BoneModelState& state) {
  for (int32_t i = 0; i < state.chainCount; ++i) state.chains[i]->dirty = 1;
}

template <class Value>
RTSuccess StoreSetting(RTInstance self, Value BoneModelState::*setting, Value value) {
  BoneModelState* state = StateOf(self);
  if (!state) return kRTFailure;
  state->*setting = value;
  MarkEveryChain(*state);
  return kRTSuccess;
}

template <class Value>
RTSuccess GiveSetting(RTInstance self, Value BoneModelState::*setting, Value* value) {
  BoneModelState* state = StateOf(self);
  if (!state || !value) return kRTFailure;
  *value = state->*setting;
  return kRTSuccess;
}

}  // namespace

bool BuildLinks(RTBoneNode* tree, const char16_t* root, const char16_t* endEffector, RTBoneNode*** links,
                int32_t* count) {
  std::vector<RTBoneNode*> walk;
  RTBoneNode* bone = FindBoneByName(tree, endEffector);
  for (; bone && !SameName(bone->name, root); bone = bone->parent) walk.push_back(bone);
  if (!bone) return false;
  walk.push_back(bone);
  if (walk.size() < static_cast<size_t>(kLeastLinks)) return false;
  if (!CopyArray(walk.data(), static_cast<uint32_t>(walk.size()), links)) return false;
  *count = static_cast<int32_t>(walk.size());
  return true;
}

bool LinksFormChain(RTBoneNode* const* links, int32_t count) {
  if (count < kLeastLinks) return false;
  for (int32_t i = 1; i < count; ++i)
    if (!links[i] || !links[i - 1] || links[i - 1]->parent != links[i]) return false;
  return true;
}

RTSuccess GetIKChainsCount(RTInstance self, int32_t* count) {
  BoneModelState* state = StateOf(self);
  if (!state || !count) return kRTFailure;
  *count = state->chainCount;
  return kRTSuccess;
}

RTSuccess CreateIKChain(RTInstance self, const char16_t* root, const char16_t* endEffector, const char16_t* name,
                        int32_t* index) {
  BoneModelState* state = StateOf(self);
  if (!state || !index || !FindBoneByName(state->root, endEffector)) return kRTFailure;
  void* block = nullptr;
  if (!ModuleCore()->MemAlloc(nullptr, sizeof(IKChain), &block, 1)) return kRTFailure;
  auto* chain = static_cast<IKChain*>(block);
  uint32_t count = static_cast<uint32_t>(state->chainCount);
  if (!WideStrDup(name, &chain->name) ||
      !BuildLinks(state->root, root, endEffector, &chain->links, &chain->linkCount) ||
      !AppendToArray(state->chains, count, chain)) {
    FreeChain(chain);
    return kRTFailure;
  }
  state->chainCount = static_cast<int32_t>(count);
  *index = state->chainCount - 1;
  return kRTSuccess;
}

RTSuccess DeleteIKChain(RTInstance self, int32_t index) {
  BoneModelState* state = StateOf(self);
  IKChain* chain = ChainAt(state, index);
  if (!chain) return kRTFailure;
  FreeChain(chain);
  for (int32_t i = index + 1; i < state->chainCount; ++i) state->chains[i - 1] = state->chains[i];
  if (--state->chainCount == 0) FreeArray(state->chains);
  return kRTSuccess;
}

RTSuccess GetIKChain(RTInstance self, const char16_t** root, const char16_t** endEffector, const char16_t** name,
                     RTBool* active, int32_t index) {
  const IKChain* chain = ChainAt(self, index);
  if (!chain || !root || !endEffector || !name || !active) return kRTFailure;
  *root = chain->links[chain->linkCount - 1]->name;
  *endEffector = chain->links[0]->name;
  *name = chain->name;
  *active = chain->active;
  return kRTSuccess;
}

RTSuccess SetIKChain(RTInstance self, const char16_t* root, const char16_t* endEffector, const char16_t* name,
                     RTBool active, int32_t index) {
  BoneModelState* state = StateOf(self);
  IKChain* chain = ChainAt(state, index);
  if (!chain) return kRTFailure;
  SetLinksCustom(*chain, 0);
  const bool moved =
      !SameName(root, chain->links[chain->linkCount - 1]->name) || !SameName(endEffector, chain->links[0]->name);
  if (moved && FindBoneByName(state->root, endEffector)) {
    RTBoneNode** links = nullptr;
    int32_t count = 0;
    if (!BuildLinks(state->root, root, endEffector, &links, &count)) return kRTFailure;
    FreeArray(chain->links);
    chain->links = links;
    chain->linkCount = count;
  }
  if (!SameName(name, chain->name)) {
    char16_t* copy = nullptr;
    if (!WideStrDup(name, &copy)) return kRTFailure;
    FreeArray(chain->name);
    chain->name = copy;
  }
  chain->active = active;
  if (active) Activate(*state, chain);
  return kRTSuccess;
}

RTSuccess GetIKChainLinkCount(RTInstance self, int32_t index, int32_t* count) {
  const IKChain* chain = ChainAt(self, index);
  if (!chain || !count) return kRTFailure;
  *count = chain->linkCount;
  return kRTSuccess;
}

RTSuccess GetIKChainLink(RTInstance self, int32_t index, RTBoneNode** link, int32_t linkIndex) {
  const IKChain* chain = ChainAt(self, index);
  if (!chain || !link || linkIndex < 0 || linkIndex >= chain->linkCount) return kRTFailure;
  *link = chain->links[linkIndex];
  return kRTSuccess;
}

RTSuccess SetIKTarget(RTInstance self, const RTFMatrix4x4* target, int32_t index) {
  IKChain* chain = ChainAt(self, index);
  if (!chain || !target) return kRTFailure;
  chain->target = *target;
  chain->dirty = 1;
  return kRTSuccess;
}

RTSuccess GetIKTarget(RTInstance self, RTFMatrix4x4* target, int32_t index) {
  const IKChain* chain = ChainAt(self, index);
  if (!chain || !target) return kRTFailure;
  *target = chain->target;
  return kRTSuccess;
}

RTSuccess SetIKChainActive(RTInstance self, RTBool active, int32_t index) {
  BoneModelState* state = StateOf(self);
  IKChain* chain = ChainAt(state, index);
  if (!chain) return kRTFailure;
  chain->active = active;
  if (active) {
    Activate(*state, chain);
  } else {
    SetLinksCustom(*chain, 0);
  }
  return kRTSuccess;
}

RTSuccess GetIKChainActive(RTInstance self, RTBool* active, int32_t index) {
  const IKChain* chain = ChainAt(self, index);
  if (!chain || !active) return kRTFailure;
  *active = chain->active;
  return kRTSuccess;
}

RTSuccess SetIKDirty(RTInstance self, int32_t index) {
  IKChain* chain = ChainAt(self, index);
  if (!chain) return kRTFailure;
  chain->dirty = 1;
  return kRTSuccess;
}

RTSuccess SetIKDamper(RTInstance self, float degrees) { return StoreSetting(self, &BoneModelState::damper, degrees); }
RTSuccess GetIKDamper(RTInstance self, float* degrees) { return GiveSetting(self, &BoneModelState::damper, degrees); }
RTSuccess SetIKIterations(RTInstance self, int32_t limit) {
  return StoreSetting(self, &BoneModelState::iterationLimit, limit);
}
RTSuccess GetIKIterations(RTInstance self, int32_t* limit) {
  return GiveSetting(self, &BoneModelState::iterationLimit, limit);
}
RTSuccess SetIKGoalDistance(RTInstance self, float distance) {
  return StoreSetting(self, &BoneModelState::goalDistance, distance);
}
RTSuccess GetIKGoalDistance(RTInstance self, float* distance) {
  return GiveSetting(self, &BoneModelState::goalDistance, distance);
}

}  // namespace kivo::skin
