#include "motion_state.h"

#include <cstring>

#include "key_search.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/wide_string.h"

namespace kivo::anim_track {

namespace {

template <class Key>
void FreeChannel(KeyChannel<Key>* channel) {
  ModuleCore()->ArrayFree(nullptr, channel->keys);
  ModuleCore()->ArrayFree(nullptr, channel->sourceKeys);
}

void FreeReplacedRoots(AnimTrackState* state) {
  if (!state->replacedRoots) return;
  for (MotionNode* root : ListItems<MotionNode>(state->replacedRoots)) FreeTree(root);
  ListDestroy(state->replacedRoots);
  state->replacedRoots = nullptr;
}

}  // namespace

AnimTrackState* StateOf(RTInstance self) {
  return self ? static_cast<AnimTrackState*>(Word(ComponentObject(self), kStateWord)) : nullptr;
}

RTSuccess CreateState(RTInstance self) {
  void* block = nullptr;
  if (!ModuleCore()->MemAlloc(self, sizeof(AnimTrackState), &block, 1)) return kRTFailure;
  static_cast<AnimTrackState*>(block)->owner = self;
  Word(ComponentObject(self), kStateWord) = block;
  return kRTSuccess;
}

void DestroyState(RTInstance self) {
  AnimTrackState* state = StateOf(self);
  if (!state) return;
  ReplaceTrees(state, nullptr);
  ModuleCore()->MemFree(self, state);
  Word(ComponentObject(self), kStateWord) = nullptr;
}

void ReplaceTrees(AnimTrackState* state, MotionNode* root) {
  FreeReplacedRoots(state);
  FreeTree(state->root);
  state->root = root;
}

MotionNode* NewNode(const char16_t* name) {
  void* block = nullptr;
  if (!ModuleCore()->MemAlloc(nullptr, sizeof(MotionNode), &block, 1)) return nullptr;
  auto* node = static_cast<MotionNode*>(block);
  if (!WideStrDup(name, &node->name)) {
    ModuleCore()->MemFree(nullptr, node);
    return nullptr;
  }
  node->rotation.rotation.w = 1;
  node->scale.scale = RTFVector3D{1, 1, 1, 0};
  return node;
}

void FreeTree(MotionNode* node) {
  if (!node) return;
  for (uint32_t i = 0; node->children && i < node->childCount; ++i) FreeTree(node->children[i]);
  ModuleCore()->ArrayFree(nullptr, node->children);
  ModuleCore()->ArrayFree(nullptr, node->name);
  FreeChannel(&node->positions);
  FreeChannel(&node->rotations);
  FreeChannel(&node->scales);
  ModuleCore()->MemFree(nullptr, node);
}

bool AppendChild(MotionNode* parent, MotionNode* child) {
  void* block = nullptr;
  if (!ModuleCore()->ArrayAlloc(nullptr, sizeof(MotionNode*), parent->childCount + 1, &block, 0)) return false;
  auto* children = static_cast<MotionNode**>(block);
  if (parent->childCount) std::memcpy(children, parent->children, parent->childCount * sizeof(MotionNode*));
  children[parent->childCount] = child;
  ModuleCore()->ArrayFree(nullptr, parent->children);
  parent->children = children;
  ++parent->childCount;
  child->parent = parent;
  return true;
}

uint32_t DepthOf(const MotionNode* node) {
  uint32_t depth = 0;
  for (; node; node = node->parent) ++depth;
  return depth;
}

bool Contains(const MotionNode* tree, const MotionNode* node) {
  bool found = false;
  VisitTree(tree, [&](const MotionNode* visited) {
    found = visited == node;
    return !found;
  });
  return found;
}

template <class Key>
bool CopyKeys(const Key* keys, uint32_t count, Key** copy) {
  *copy = nullptr;
  if (count == 0) return true;
  void* block = nullptr;
  if (!ModuleCore()->ArrayAlloc(nullptr, sizeof(Key), count, &block, 0)) return false;
  std::memcpy(block, keys, size_t{count} * sizeof(Key));
  *copy = static_cast<Key*>(block);
  return true;
}

template <class Key>
void SetKeys(KeyChannel<Key>* channel, Key* keys, uint32_t count) {
  ModuleCore()->ArrayFree(nullptr, channel->keys);
  channel->keys = keys;
  channel->count = count;
  channel->ordered = KeysInTimeOrder(keys, count) ? 1 : 0;
  channel->lastKey = 0;
}

template bool CopyKeys(const RTKeyPos*, uint32_t, RTKeyPos**);
template bool CopyKeys(const RTKeyRot*, uint32_t, RTKeyRot**);
template bool CopyKeys(const RTKeyScl*, uint32_t, RTKeyScl**);
template void SetKeys(KeyChannel<RTKeyPos>*, RTKeyPos*, uint32_t);
template void SetKeys(KeyChannel<RTKeyRot>*, RTKeyRot*, uint32_t);
template void SetKeys(KeyChannel<RTKeyScl>*, RTKeyScl*, uint32_t);

}  // namespace kivo::anim_track
