// The motion's stream. After the part of the parent class RTEditable (run through its own slot
// table), little-endian:
//
//   u32 version          1536; older streams have no pivots
//   f32 start, f32 end   the motion's times
//   u8 continuous        0 or 1
//   node record          the root, its subtree depth first
//
// Node record: name (u32 length n in UTF-16 units, then n + 1 units with the terminator when n is
// above 0); u32 position, rotation and scale key counts; each position key (time, x, y, z); each
// rotation key (time; quaternion x, y, z, w; control quaternion x, y, z, w); each scale key (time,
// x, y, z); pivot x, y, z (version 1536 only); u32 child count; the child records in order.
//
// Reading builds a new tree and takes it only once all of it is read: a refused stream changes
// nothing. Refused, with a message: a newer version, a stage other than 0 and 0xFFFFFFFF, a name,
// key count or child count larger than the bytes left can hold, a tree deeper than kMaxDepth, a
// stream cut short. Writing rebuilds the control points first; a motion without nodes is not
// written (a reader expects a root record).
#include <vector>

#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/editable_calls.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "motion_methods.h"
#include "motion_state.h"

namespace kivo::anim_track {

namespace {

// Floats of each key on the wire, and how they map to the key record.
template <class Key>
struct KeyWire;

void PutVector(const RTFVector3D& v, float* f) {
  f[0] = v.x;
  f[1] = v.y;
  f[2] = v.z;
}
RTFVector3D GetVector(const float* f) { return RTFVector3D{f[0], f[1], f[2], 0}; }

// Memory holds w first; the wire holds it last.
void PutQuat(const KeyQuaternion& q, float* f) {
  PutVector(q.v, f);
  f[3] = q.w;
}
KeyQuaternion GetQuat(const float* f) { return KeyQuaternion{f[3], GetVector(f)}; }

// Position and scale keys: the time, then the vector.
template <class Key, RTFVector3D Key::*kValue>
struct VectorKeyWire {
  static constexpr uint32_t kFloats = 4;
  static void Put(const Key& k, float* f) {
    f[0] = k.time;
    PutVector(k.*kValue, f + 1);
  }
  static void Get(const float* f, Key* k) {
    k->time = f[0];
    k->*kValue = GetVector(f + 1);
  }
};

template <>
struct KeyWire<RTKeyPos> : VectorKeyWire<RTKeyPos, &RTKeyPos::position> {};
template <>
struct KeyWire<RTKeyScl> : VectorKeyWire<RTKeyScl, &RTKeyScl::scale> {};

template <>
struct KeyWire<RTKeyRot> {
  static constexpr uint32_t kFloats = 9;
  static void Put(const RTKeyRot& k, float* f) {
    f[0] = k.time;
    PutQuat(k.rotation, f + 1);
    PutQuat(k.control, f + 5);
  }
  static void Get(const float* f, RTKeyRot* k) { *k = RTKeyRot{f[0], GetQuat(f + 1), GetQuat(f + 5)}; }
};

constexpr uint32_t kCountBytes = 4;
constexpr uint32_t kPivotBytes = 12;

bool ValidStage(uint32_t stage) { return stage == 0 || stage == component::kStreamWhole; }

template <class Key>
bool WriteKeys(RTInstance stream, const KeyChannel<Key>& channel) {
  if (channel.count == 0) return true;
  std::vector<float> wire(size_t{channel.count} * KeyWire<Key>::kFloats);
  for (uint32_t i = 0; i < channel.count; ++i)
    KeyWire<Key>::Put(channel.keys[i], &wire[size_t{i} * KeyWire<Key>::kFloats]);
  const uint64_t bytes = wire.size() * sizeof(float);
  return bytes <= UINT32_MAX && StreamWriteBytes(stream, wire.data(), static_cast<uint32_t>(bytes));
}

bool WriteNode(RTInstance stream, const MotionNode* node) {
  if (!StreamWriteWString(stream, node->name) || !StreamWriteUInt(stream, node->positions.count) ||
      !StreamWriteUInt(stream, node->rotations.count) || !StreamWriteUInt(stream, node->scales.count) ||
      !WriteKeys(stream, node->positions) || !WriteKeys(stream, node->rotations) || !WriteKeys(stream, node->scales) ||
      !StreamWriteVector(stream, node->pivot) || !StreamWriteUInt(stream, node->childCount))
    return false;
  for (uint32_t i = 0; i < node->childCount; ++i)
    if (!WriteNode(stream, node->children[i])) return false;
  return true;
}

class TreeReader {
 public:
  TreeReader(RTInstance stream, uint32_t version)
      : stream_(stream), pivots_(version >= motion::kFirstVersionWithPivots) {}

  // The node's record; false, with a message, when the stream cannot give it.
  bool ReadNode(MotionNode* node, uint32_t depth) {
    char16_t* name = nullptr;
    uint32_t counts[3] = {};
    if (!StreamReadWString(stream_, &name)) return Fail(u"a node name is cut short or longer than the stream");
    if (name) {  // an empty name reads as null: the node keeps its empty one
      ModuleCore()->ArrayFree(nullptr, node->name);
      node->name = name;
    }
    if (!ReadCounts(counts)) return Fail(u"a node record is cut short");
    const uint64_t keyBytes =
        KeyBytes<RTKeyPos>(counts[0]) + KeyBytes<RTKeyRot>(counts[1]) + KeyBytes<RTKeyScl>(counts[2]);
    if (keyBytes + (pivots_ ? kPivotBytes : 0) + kCountBytes > Remaining())
      return Fail(u"the key counts %u, %u and %u are larger than the stream", counts[0], counts[1], counts[2]);
    if (!ReadKeys(counts[0], &node->positions) || !ReadKeys(counts[1], &node->rotations) ||
        !ReadKeys(counts[2], &node->scales) || (pivots_ && !StreamReadVector(stream_, &node->pivot)))
      return Fail(u"the keys of a node are cut short");
    uint32_t childCount = 0;
    if (!StreamReadUInt(stream_, &childCount)) return Fail(u"a node record is cut short");
    if (childCount && depth >= kMaxDepth) return Fail(u"the tree is deeper than %u levels", kMaxDepth);
    if (uint64_t{childCount} * MinimalNodeBytes() > Remaining())
      return Fail(u"the child count %u is larger than the stream", childCount);
    return ReadChildren(node, childCount, depth);
  }

 private:
  template <class... Args>
  bool Fail(std::u16string_view reason, const Args&... args) {
    if (!failed_) RaiseFormatted(kLevelError, u"RTAnimTrack::StreamIn(): %s", Format(reason, args...));
    failed_ = true;
    return false;
  }

  uint64_t Remaining() const {
    uint32_t bytes = 0;
    return stream::Remaining(stream_, &bytes) ? bytes : 0;
  }

  // Name length, three key counts, the pivot and the child count.
  uint64_t MinimalNodeBytes() const { return kCountBytes * 5 + (pivots_ ? kPivotBytes : 0); }

  template <class Key>
  static uint64_t KeyBytes(uint32_t count) {
    return uint64_t{count} * KeyWire<Key>::kFloats * sizeof(float);
  }

  bool ReadCounts(uint32_t (&counts)[3]) {
    return StreamReadUInt(stream_, &counts[0]) && StreamReadUInt(stream_, &counts[1]) &&
           StreamReadUInt(stream_, &counts[2]);
  }

  // The caller has checked that the stream holds the keys.
  template <class Key>
  bool ReadKeys(uint32_t count, KeyChannel<Key>* channel) {
    if (count == 0) return true;
    std::vector<float> wire(size_t{count} * KeyWire<Key>::kFloats);
    void* block = nullptr;
    if (!StreamReadBytes(stream_, wire.data(), static_cast<uint32_t>(KeyBytes<Key>(count))) ||
        !ModuleCore()->ArrayAlloc(nullptr, sizeof(Key), count, &block, 0))
      return false;
    auto* keys = static_cast<Key*>(block);
    for (uint32_t i = 0; i < count; ++i) KeyWire<Key>::Get(&wire[size_t{i} * KeyWire<Key>::kFloats], &keys[i]);
    SetKeys(channel, keys, count);
    return true;
  }

  bool ReadChildren(MotionNode* node, uint32_t count, uint32_t depth) {
    if (count == 0) return true;
    void* block = nullptr;
    if (!ModuleCore()->ArrayAlloc(nullptr, sizeof(MotionNode*), count, &block, 1)) return Fail(u"out of memory");
    node->children = static_cast<MotionNode**>(block);
    node->childCount = count;
    for (uint32_t i = 0; i < count; ++i) {
      MotionNode* child = NewNode(nullptr);
      if (!child) return Fail(u"out of memory");
      node->children[i] = child;
      child->parent = node;
      if (!ReadNode(child, depth + 1)) return false;
    }
    return true;
  }

  RTInstance stream_;
  bool pivots_;
  bool failed_ = false;
};

}  // namespace

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  AnimTrackState* state = StateOf(self);
  if (!state || !CallParentMethod(self, editable::kOwnTable, editable::kStreamOut, stage, stream) ||
      !StreamWriteUInt(stream, motion::kStreamVersion) || !ValidStage(stage))
    return kRTFailure;
  if (!state->root) {
    RaiseFormatted(kLevelError, u"RTAnimTrack::StreamOut(): the motion has no nodes to write");
    return kRTFailure;
  }
  RebuildControlQuats(state->root, state->continuous != 0);
  return StreamWriteFloat(stream, state->startTime) && StreamWriteFloat(stream, state->endTime) &&
                 StreamWriteByte(stream, state->continuous) && WriteNode(stream, state->root)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  AnimTrackState* state = StateOf(self);
  if (!state || !CallParentMethod(self, editable::kOwnTable, editable::kStreamIn, stage, stream)) return kRTFailure;
  uint32_t version = 0;
  if (!StreamReadVersion(stream, motion::kStreamVersion, &version)) {
    RaiseFormatted(kLevelError, u"RTAnimTrack::StreamIn(): the stream holds no version of %u or older",
                   motion::kStreamVersion);
    return kRTFailure;
  }
  if (!ValidStage(stage)) return kRTFailure;
  float start = 0;
  float end = 0;
  uint32_t continuous = 0;
  if (!StreamReadBytes(stream, &start, 4) || !StreamReadBytes(stream, &end, 4) ||
      !StreamReadByte(stream, &continuous)) {
    RaiseFormatted(kLevelError, u"RTAnimTrack::StreamIn(): the stream ends before the root node");
    return kRTFailure;
  }
  MotionNode* root = NewNode(nullptr);
  if (!root) return kRTFailure;
  if (!TreeReader(stream, version).ReadNode(root, 1)) {
    FreeTree(root);
    return kRTFailure;
  }
  ReplaceTrees(state, root);
  state->startTime = start;
  state->endTime = end;
  state->continuous = continuous ? 1 : 0;
  return kRTSuccess;
}

}  // namespace kivo::anim_track
