// The node tree's methods and the motion's settings: adding and adjusting nodes, finding them,
// their matrices, the memory their keys take, the times and key-processing settings.
#include <cstring>

#include "key_quaternion.h"
#include "key_search.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/matrix.h"
#include "kivo/support/quaternion.h"
#include "kivo/support/raise.h"
#include "kivo/support/wide_string.h"
#include "motion_methods.h"
#include "motion_state.h"

namespace kivo::anim_track {

namespace {

template <class Key>
bool CopyChannel(const Key* keys, uint32_t count, KeyChannel<Key>* channel) {
  Key* copy = nullptr;
  if (!CopyKeys(keys, count, &copy)) return false;
  SetKeys(channel, copy, count);
  return true;
}

template <class... Args>
RTSuccess Refuse(std::u16string_view format, const Args&... args) {
  RaiseFormatted(kLevelError, format, args...);
  return kRTFailure;
}

// The rotation of the node's evaluated quaternion with `translation` as row 3.
void NodeMatrix(const MotionNode* node, const RTFVector3D& translation, RTFMatrix4x4* matrix) {
  QuatToMat4(ToQuat(node->rotation.rotation), matrix);
  Mat4SetTranslation(matrix, translation);
}

// Visits the tree in pre-order and stops at the first node of that exact name when `first`.
MotionNode* Named(MotionNode* root, const char16_t* name, bool first) {
  MotionNode* found = nullptr;
  const char16_t* wanted = name ? name : u"";
  VisitTree(root, [&](MotionNode* node) {
    if (WideStrCompare(node->name, wanted) == 0) found = node;
    return !(first && found);
  });
  return found;
}

}  // namespace

RTSuccess AddNode(RTInstance self, const char16_t* name, const RTKeyPos* positions, const RTKeyRot* rotations,
                  const RTKeyScl* scales, uint32_t positionCount, uint32_t rotationCount, uint32_t scaleCount,
                  const RTFVector3D* pivot, MotionNode* parent, MotionNode** out) {
  AnimTrackState* state = StateOf(self);
  if (!state) return kRTFailure;
  if ((positionCount && !positions) || (rotationCount && !rotations) || (scaleCount && !scales))
    return Refuse(u"RTAnimTrack::AddNode(): keys are counted but not given");
  if (parent && !Contains(state->root, parent))
    return Refuse(u"RTAnimTrack::AddNode(): the parent is not a node of this motion");
  if (parent && DepthOf(parent) >= kMaxDepth)
    return Refuse(u"RTAnimTrack::AddNode(): the tree would be deeper than %u levels", kMaxDepth);

  MotionNode* node = NewNode(name);
  if (!node || !CopyChannel(positions, positionCount, &node->positions) ||
      !CopyChannel(rotations, rotationCount, &node->rotations) || !CopyChannel(scales, scaleCount, &node->scales) ||
      (parent && !AppendChild(parent, node))) {
    FreeTree(node);
    return kRTFailure;
  }
  if (pivot) node->pivot = RTFVector3D{pivot->x, pivot->y, pivot->z, 0};
  if (!parent) {
    // The tree it replaces stays the motion's until the motion goes, so its nodes stay valid.
    if (state->root && ((!state->replacedRoots && !ListCreate(&state->replacedRoots)) ||
                        !ListAppend(state->replacedRoots, state->root))) {
      FreeTree(node);
      return kRTFailure;
    }
    state->root = node;
  }
  if (out) *out = node;
  return kRTSuccess;
}

RTSuccess GetRootNode(RTInstance self, MotionNode** root) {
  AnimTrackState* state = StateOf(self);
  if (!state || !root) return kRTFailure;
  *root = state->root;
  return kRTSuccess;
}

RTSuccess GetNodeChild(RTInstance self, const MotionNode* node, MotionNode** child, uint32_t index) {
  AnimTrackState* state = StateOf(self);
  if (!state || !child) return kRTFailure;
  if (!node) {
    *child = state->root;
    return kRTSuccess;
  }
  if (index >= node->childCount) return Refuse(u"GetNodeChild: idx out of bounds");
  *child = node->children[index];
  return kRTSuccess;
}

RTSuccess GetNodeTM(RTInstance, const MotionNode* node, RTFMatrix4x4* matrix) {
  if (!matrix) return kRTFailure;
  if (node) {
    NodeMatrix(node, node->position.position, matrix);
  } else {
    Mat4Identity(matrix);
  }
  return kRTSuccess;
}

// Translation: the skin's pivot less the node's, plus the evaluated position.
RTSuccess GetNodeTMAdjusted(RTInstance, const MotionNode* node, const RTFVector3D* skinPivot, RTFMatrix4x4* matrix) {
  if (!matrix || (node && !skinPivot)) return kRTFailure;
  if (!node) {
    Mat4Identity(matrix);
    return kRTSuccess;
  }
  const RTFVector3D& p = node->position.position;
  const RTFVector3D& own = node->pivot;
  NodeMatrix(node, RTFVector3D{skinPivot->x - own.x + p.x, skinPivot->y - own.y + p.y, skinPivot->z - own.z + p.z, 0},
             matrix);
  return kRTSuccess;
}

// With a name that stands more than once, the last node in a depth-first walk; `node` keeps its
// value when none has the name.
RTSuccess FindNode(RTInstance self, const char16_t* name, MotionNode** node) {
  AnimTrackState* state = StateOf(self);
  if (!state || !node) return kRTFailure;
  if (MotionNode* found = Named(state->root, name, false)) *node = found;
  return kRTSuccess;
}

RTSuccess GetNode(RTInstance self, const char16_t* name, MotionNode** node) {
  AnimTrackState* state = StateOf(self);
  if (!state || !node) return kRTFailure;
  MotionNode* found = Named(state->root, name, true);
  if (!found) return kRTFailure;
  *node = found;
  return kRTSuccess;
}

RTSuccess AdjustNode(RTInstance, MotionNode* node, const RTFVector3D* adjust, uint32_t tag) {
  if (!node || !adjust) return kRTFailure;
  node->adjust = RTFVector3D{adjust->x, adjust->y, adjust->z, node->adjust.w};
  node->adjustTag = tag;
  return kRTSuccess;
}

// The bytes of the current keys of every node.
RTSuccess GetMemory(RTInstance self, uint32_t* bytes) {
  AnimTrackState* state = StateOf(self);
  if (!state || !bytes) return kRTFailure;
  uint64_t total = 0;
  VisitTree(state->root, [&](MotionNode* node) {
    total += uint64_t{node->positions.count} * sizeof(RTKeyPos) + uint64_t{node->rotations.count} * sizeof(RTKeyRot) +
             uint64_t{node->scales.count} * sizeof(RTKeyScl);
    return true;
  });
  *bytes = total > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(total);
  return kRTSuccess;
}

RTSuccess GetInfo(RTInstance self, float* start, float* end) {
  AnimTrackState* state = StateOf(self);
  if (!state || !start || !end) return kRTFailure;
  *start = state->startTime;
  *end = state->endTime;
  return kRTSuccess;
}

RTSuccess SetInfo(RTInstance self, float start, float end) {
  AnimTrackState* state = StateOf(self);
  if (!state) return kRTFailure;
  state->startTime = start;
  state->endTime = end;
  return kRTSuccess;
}

RTSuccess GetContinuous(RTInstance self, RTBool* continuous) {
  AnimTrackState* state = StateOf(self);
  if (!state || !continuous) return kRTFailure;
  *continuous = state->continuous;
  return kRTSuccess;
}

RTSuccess GetThreshold(RTInstance self, float* threshold) {
  AnimTrackState* state = StateOf(self);
  if (!state || !threshold) return kRTFailure;
  *threshold = state->threshold;
  return kRTSuccess;
}

RTSuccess GetPeriod(RTInstance self, float* period) {
  AnimTrackState* state = StateOf(self);
  if (!state || !period) return kRTFailure;
  *period = state->period;
  return kRTSuccess;
}

// Stores the motion in the instance store; the store's answer is not the caller's concern.
RTSuccess Commit(RTInstance self) {
  ModuleCore()->StoreInstance(self, self, 0xFFFFFFFFu, 1);
  return kRTSuccess;
}

}  // namespace kivo::anim_track
