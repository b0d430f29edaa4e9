// Evaluation of a motion at a time and the blend of another motion into it.
//
// Position and scale interpolate linearly between keys, rotation with squad through the keys'
// control points. A node with no keys at all evaluates to the identity rotation, position
// (0, 0, 0) and scale (1, 1, 1); a channel without keys keeps its last value, but a node without
// position keys starts from (0, 0, 0) at every evaluation, so its adjust offset is added once.
#include "key_quaternion.h"
#include "key_search.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/quaternion_curve.h"
#include "kivo/support/raise.h"
#include "motion_methods.h"
#include "motion_state.h"

namespace kivo::anim_track {

namespace {

RTFVector3D Blend(const RTFVector3D& a, float wa, const RTFVector3D& b, float wb) {
  return RTFVector3D{wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z, a.w};
}

// The vector key of a position or scale channel at `span` into `out` (time and all).
template <class Key, class Member>
void TakeVector(const KeyChannel<Key>& channel, const KeySpan& span, Member member, Key* out) {
  const Key* keys = channel.keys;
  if (span.kind == KeySpan::kKey) {
    *out = keys[span.key];
  } else if (span.kind == KeySpan::kSegment) {
    out->*member = Blend(keys[span.key].*member, 1 - span.s, keys[span.next].*member, span.s);
  }
}

void EvaluateRotation(MotionNode* node, float t, bool looped) {
  const KeySpan span = FindSpan(node->rotations, t, looped);
  const RTKeyRot* keys = node->rotations.keys;
  if (span.kind == KeySpan::kKey) {
    node->rotation = keys[span.key];
  } else if (span.kind == KeySpan::kSegment) {
    const RTKeyRot& from = keys[span.key];
    const RTKeyRot& to = keys[span.next];
    Quaternion q;
    QuatSquad(ToQuat(from.rotation), ToQuat(from.control), ToQuat(to.control), ToQuat(to.rotation), span.s, &q);
    StoreQuat(q, &node->rotation.rotation);
  }
}

// The node's own values at t, without its children.
void EvaluateNode(MotionNode* node, float t, bool looped) {
  if (node->positions.count == 0 && node->rotations.count == 0 && node->scales.count == 0) {
    node->rotation.rotation = KeyQuaternion{1, RTFVector3D{0, 0, 0, node->rotation.rotation.v.w}};
    node->position.position = RTFVector3D{0, 0, 0, node->position.position.w};
    node->scale.scale = RTFVector3D{1, 1, 1, node->scale.scale.w};
    return;
  }
  EvaluateRotation(node, t, looped);
  RTFVector3D& position = node->position.position;
  if (node->positions.count == 0) position = RTFVector3D{0, 0, 0, position.w};
  TakeVector(node->positions, FindSpan(node->positions, t, looped), &RTKeyPos::position, &node->position);
  position.x += node->adjust.x;
  position.y += node->adjust.y;
  position.z += node->adjust.z;
  TakeVector(node->scales, FindSpan(node->scales, t, looped), &RTKeyScl::scale, &node->scale);
}

void EvaluateTree(MotionNode* node, float t, bool looped) {
  EvaluateNode(node, t, looped);
  for (uint32_t i = 0; i < node->childCount; ++i) EvaluateTree(node->children[i], t, looped);
}

bool IncompatibleHierarchies() {
  RaiseFormatted(kLevelError, u"incompatible motion hierarchies");
  return false;
}

// This motion's node evaluated at t and blended with the other motion's node as last evaluated:
// weight w on this one.
bool TweenTree(MotionNode* a, float t, float w, bool looped, const MotionNode* b) {
  if (a->childCount != b->childCount) return IncompatibleHierarchies();
  EvaluateNode(a, t, looped);
  Quaternion qa = ToQuat(a->rotation.rotation);
  const Quaternion qb = ToQuat(b->rotation.rotation);
  QuatAlign(&qa, qb);
  if (a->adjustTag == 0) a->position.position = Blend(a->position.position, w, b->position.position, 1 - w);
  a->scale.scale = Blend(a->scale.scale, w, b->scale.scale, 1 - w);
  QuatSlerp(qa, qb, 1 - w, &qa);
  StoreQuat(qa, &a->rotation.rotation);
  for (uint32_t i = 0; i < a->childCount; ++i)
    if (!TweenTree(a->children[i], t, w, looped, b->children[i])) return false;
  return true;
}

}  // namespace

// The reverse flag changes nothing.
RTSuccess UpdateFrame(RTInstance self, float time, RTBool looped, RTBool) {
  AnimTrackState* state = StateOf(self);
  if (!state) return kRTFailure;
  if (state->root) EvaluateTree(state->root, time, looped != 0);
  return kRTSuccess;
}

RTSuccess TweenFrame(RTInstance self, float time, float percent, RTBool looped, RTBool, RTInstance other) {
  AnimTrackState* state = StateOf(self);
  if (!state) return kRTFailure;
  MotionNode* otherRoot = nullptr;
  if (!other || !ModuleCore()->IsKindOfByName(self, other, motion::kClassName) ||
      !motion::GetRootNode(other, &otherRoot)) {
    RaiseFormatted(kLevelError, u"RTAnimTrack::TweenFrame(): the motion to blend in is not an RTAnimTrack");
    return kRTFailure;
  }
  if (!state->root && !otherRoot) return kRTSuccess;
  const bool blended = state->root && otherRoot ? TweenTree(state->root, time, percent, looped != 0, otherRoot)
                                                : IncompatibleHierarchies();
  return blended ? kRTSuccess : kRTFailure;
}

}  // namespace kivo::anim_track
