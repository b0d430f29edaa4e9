// RTAnimTrack, one motion, as its callers see it: the key records, the node record of its tree,
// the level and method slots of the class, and one calling wrapper per method.
//
// A motion is a tree of named nodes, each with position, rotation and scale keys over time. The
// caller evaluates it at a time (UpdateFrame, or TweenFrame to blend in another motion) and then
// reads each node's evaluated matrix. Node pointers stay valid until the motion is streamed in
// again or destroyed. Callers read node records and never write them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kivo/slots.h"
#include "kivo/support/editable_calls.h"
#include "kivo/support/math_types.h"
#include "kivo/types.h"

// A key's quaternion: w, then the vector part in x, y, z (its fourth float is unused).
struct KeyQuaternion {
  float w;
  RTFVector3D v;
};
static_assert(sizeof(KeyQuaternion) == 20);

struct RTKeyPos {
  float time;
  RTFVector3D position;
};
static_assert(sizeof(RTKeyPos) == 20);

struct RTKeyRot {
  float time;
  KeyQuaternion rotation;
  KeyQuaternion control;  // the squad control point of this key
};
static_assert(sizeof(RTKeyRot) == 44);

struct RTKeyScl {
  float time;
  RTFVector3D scale;
};
static_assert(sizeof(RTKeyScl) == 20);

namespace kivo {

// The keys of one channel of a node.
template <class Key>
struct KeyChannel {
  uint32_t count;
  Key* keys;  // core array block, null when count is 0
  // The keys as given, saved by the first key processing, which later processing starts from.
  uint32_t sourceCount;
  Key* sourceKeys;
  uint32_t ordered;  // 1 when no key time is below the one before: the lookup may search by halves
  uint32_t lastKey;  // of ordered keys: the key after the time of the last lookup, tried first
};

struct MotionNode {
  char16_t* name;  // core block of length + 1 units
  KeyChannel<RTKeyPos> positions;
  KeyChannel<RTKeyRot> rotations;
  KeyChannel<RTKeyScl> scales;
  // The values last evaluated: a new node holds the identity rotation, position (0, 0, 0) and
  // scale (1, 1, 1).
  RTKeyPos position;
  RTKeyRot rotation;
  RTKeyScl scale;
  RTFVector3D pivot;
  RTFVector3D adjust;  // added to the evaluated position
  uint32_t adjustTag;  // non-zero: tweening keeps this node's own position
  uint32_t childCount;
  MotionNode* parent;
  MotionNode** children;  // core array block of childCount nodes, or null
};

namespace motion {

inline constexpr MethodSlot<uint32_t*> kGetStageCount{editable::kGetStageCount};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{editable::kStreamIn};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{editable::kStreamOut};
inline constexpr MethodSlot<float, RTBool, RTBool> kUpdateFrame{0x0C};
inline constexpr MethodSlot<float, float, RTBool, RTBool, RTInstance> kTweenFrame{0x10};
inline constexpr MethodSlot<const char16_t*, const RTKeyPos*, const RTKeyRot*, const RTKeyScl*, uint32_t, uint32_t, uint32_t, const RTFVector3D*, MotionNode*, MotionNode**> kAddNode{0x14};
inline constexpr MethodSlot<MotionNode**> kGetRootNode{0x18};
inline constexpr MethodSlot<const MotionNode*, MotionNode**, uint32_t> kGetNodeChild{0x1C};
inline constexpr MethodSlot<const MotionNode*, const RTFVector3D*, RTFMatrix4x4*> kGetNodeTMAdjusted{0x20};
inline constexpr MethodSlot<const MotionNode*, RTFMatrix4x4*> kGetNodeTM{0x24};
inline constexpr MethodSlot<const char16_t*, MotionNode**> kFindNode{0x2C};
inline constexpr MethodSlot<float*, float*> kGetInfo{0x30};
inline constexpr MethodSlot<float, float> kSetInfo{0x34};
inline constexpr MethodSlot<RTBool> kSetContinuous{0x38};
inline constexpr MethodSlot<RTBool*> kGetContinuous{0x3C};
inline constexpr MethodSlot<float> kSetThreshold{0x40};
inline constexpr MethodSlot<float*> kGetThreshold{0x44};
inline constexpr MethodSlot<float> kSetPeriod{0x48};
inline constexpr MethodSlot<float*> kGetPeriod{0x4C};
inline constexpr MethodSlot<> kCommit{0x50};
inline constexpr MethodSlot<uint32_t*> kGetMemory{0x54};
inline constexpr MethodSlot<MotionNode*, const RTFVector3D*, uint32_t> kAdjustNode{0x58};
inline constexpr MethodSlot<const char16_t*, MotionNode**> kGetNode{0x5C};
inline constexpr uint32_t kLevel = editable::kObjectSize;
inline constexpr uint32_t kSlotTableSize = 0x60;
inline constexpr char16_t kClassName[] = u"RTAnimTrack";
inline constexpr uint32_t kStreamVersion = 1536;
inline constexpr uint32_t kFirstVersionWithPivots = 1536;

inline RTSuccess UpdateFrame(RTInstance m, float time, RTBool looped, RTBool reverse = 0) {
  return CallMethod(m, kLevel, kUpdateFrame, time, looped, reverse);
}
// Blends `other`, evaluated before at its own time, into this motion evaluated at `time`: a
// percent of 1 keeps this motion, 0 gives the other.
inline RTSuccess TweenFrame(RTInstance m, float time, float percent, RTBool looped, RTBool reverse, RTInstance other) {
  return CallMethod(m, kLevel, kTweenFrame, time, percent, looped, reverse, other);
}
// Copies the name, the keys and the pivot into a new node under `parent`, or as the root when
// `parent` is null; `node` (may be null) receives it.
inline RTSuccess AddNode(RTInstance m, const char16_t* name, const RTKeyPos* positions, const RTKeyRot* rotations,
                         const RTKeyScl* scales, uint32_t positionCount, uint32_t rotationCount, uint32_t scaleCount,
                         const RTFVector3D* pivot, MotionNode* parent, MotionNode** node) {
  return CallMethod(m, kLevel, kAddNode, name, positions, rotations, scales, positionCount, rotationCount, scaleCount,
                    pivot, parent, node);
}
inline RTSuccess GetRootNode(RTInstance m, MotionNode** root) { return CallMethod(m, kLevel, kGetRootNode, root); }
// A null node gives the root.
inline RTSuccess GetNodeChild(RTInstance m, const MotionNode* node, MotionNode** child, uint32_t index) {
  return CallMethod(m, kLevel, kGetNodeChild, node, child, index);
}
inline RTSuccess GetNodeTMAdjusted(RTInstance m, const MotionNode* node, const RTFVector3D* skinPivot,
                                   RTFMatrix4x4* matrix) {
  return CallMethod(m, kLevel, kGetNodeTMAdjusted, node, skinPivot, matrix);
}
inline RTSuccess GetNodeTM(RTInstance m, const MotionNode* node, RTFMatrix4x4* matrix) {
  return CallMethod(m, kLevel, kGetNodeTM, node, matrix);
}
// The last node of that name in a depth-first walk; always succeeds, `node` untouched when none.
inline RTSuccess FindNode(RTInstance m, const char16_t* name, MotionNode** node) {
  return CallMethod(m, kLevel, kFindNode, name, node);
}
// The first node of that name in a depth-first walk; fails when none.
inline RTSuccess GetNode(RTInstance m, const char16_t* name, MotionNode** node) {
  return CallMethod(m, kLevel, kGetNode, name, node);
}
inline RTSuccess GetInfo(RTInstance m, float* start, float* end) { return CallMethod(m, kLevel, kGetInfo, start, end); }
inline RTSuccess SetInfo(RTInstance m, float start, float end) { return CallMethod(m, kLevel, kSetInfo, start, end); }
inline RTSuccess SetContinuous(RTInstance m, RTBool continuous) {
  return CallMethod(m, kLevel, kSetContinuous, continuous);
}
inline RTSuccess GetContinuous(RTInstance m, RTBool* continuous) {
  return CallMethod(m, kLevel, kGetContinuous, continuous);
}
inline RTSuccess SetThreshold(RTInstance m, float threshold) { return CallMethod(m, kLevel, kSetThreshold, threshold); }
inline RTSuccess GetThreshold(RTInstance m, float* threshold) {
  return CallMethod(m, kLevel, kGetThreshold, threshold);
}
inline RTSuccess SetPeriod(RTInstance m, float period) { return CallMethod(m, kLevel, kSetPeriod, period); }
inline RTSuccess GetPeriod(RTInstance m, float* period) { return CallMethod(m, kLevel, kGetPeriod, period); }
inline RTSuccess Commit(RTInstance m) { return CallMethod(m, kLevel, kCommit); }
inline RTSuccess GetMemory(RTInstance m, uint32_t* bytes) { return CallMethod(m, kLevel, kGetMemory, bytes); }
inline RTSuccess AdjustNode(RTInstance m, MotionNode* node, const RTFVector3D* adjust, uint32_t tag) {
  return CallMethod(m, kLevel, kAdjustNode, node, adjust, tag);
}

}  // namespace motion

}  // namespace kivo
