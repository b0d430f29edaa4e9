// The state record of an RTAnimTrack instance and the node tree it owns: making, copying and
// freeing nodes and key arrays, walking the tree.
#pragma once

#include <cstdint>

#include "kivo/scene/motion_calls.h"
#include "kivo/support/list.h"

namespace kivo::anim_track {

inline constexpr uint32_t kStateWord = motion::kLevel + 8;
inline constexpr uint32_t kObjectSize = kStateWord + 4;
// No tree is deeper than this: every walk over it recurses once per level.
inline constexpr uint32_t kMaxDepth = 256;

struct AnimTrackState {
  float startTime;
  float endTime;
  float threshold;    // key reduction (key_processing.cpp)
  float period;       // resampling
  RTBool continuous;  // the rotation curve is closed: control points wrap around
  MotionNode* root;
  RTInstance owner;
  // Roots that AddNode put a new root over: their nodes stay valid until the motion is streamed
  // in again or destroyed.
  List* replacedRoots;
};

AnimTrackState* StateOf(RTInstance self);
RTSuccess CreateState(RTInstance self);
void DestroyState(RTInstance self);
// Frees the tree and every replaced one, and takes `root` as the motion's tree.
void ReplaceTrees(AnimTrackState* state, MotionNode* root);

// A zero-filled node holding a copy of the name, at the identity rotation, position (0, 0, 0) and
// scale (1, 1, 1); null when memory runs out.
MotionNode* NewNode(const char16_t* name);
// Frees the node with its name, keys and subtree (children may be null).
void FreeTree(MotionNode* node);
// Hangs `child` last under `parent`; false when memory runs out (nothing changes then).
bool AppendChild(MotionNode* parent, MotionNode* child);
// Levels from the root to the node (the root is level 1).
uint32_t DepthOf(const MotionNode* node);
bool Contains(const MotionNode* tree, const MotionNode* node);

// A new array block holding a copy of `count` keys (null for 0); false when memory runs out.
template <class Key>
bool CopyKeys(const Key* keys, uint32_t count, Key** copy);
// The channel's keys become the `count` keys of `keys` (which it takes over); its order is checked.
template <class Key>
void SetKeys(KeyChannel<Key>* channel, Key* keys, uint32_t count);

// Calls visit(node) for the node and its subtree in pre-order; stops when visit returns false.
template <class Node, class Visit>
bool VisitTree(Node* node, Visit&& visit) {
  if (!node || !visit(node)) return node == nullptr;
  for (uint32_t i = 0; i < node->childCount; ++i)
    if (!VisitTree(node->children[i], visit)) return false;
  return true;
}

}  // namespace kivo::anim_track
