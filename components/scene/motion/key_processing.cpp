// Key processing: reduction of keys that differ from the last kept one by no more than the
// threshold, resampling at a fixed period, and the squad control points of the rotation keys.
//
// Processing never loses the keys as given: the first run saves them as each channel's source
// keys, and every later run starts again from those.
#include <cmath>
#include <vector>

#include "key_quaternion.h"
#include "key_search.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/matrix.h"
#include "kivo/support/quaternion.h"
#include "kivo/support/quaternion_curve.h"
#include "kivo/support/raise.h"
#include "motion_methods.h"
#include "motion_state.h"

namespace kivo::anim_track {

namespace {

// More samples than this are refused: a tiny period would ask for an enormous key array.
constexpr uint32_t kMaxSamples = 1000000;

struct Euler {
  float x, y, z;
};

Euler EulerOf(const KeyQuaternion& q) {
  RTFMatrix3x3 m;
  QuatToMat3(ToQuat(q), &m);
  Euler e{};
  MatToEuler(m, &e.x, &e.y, &e.z);
  return e;
}

bool Differs(float a, float b, float threshold) { return std::fabs(a - b) > threshold; }

bool Differs(const RTFVector3D& a, const RTFVector3D& b, float threshold) {
  return Differs(a.x, b.x, threshold) || Differs(a.y, b.y, threshold) || Differs(a.z, b.z, threshold);
}

// What key reduction compares: the vector of a position or scale key, the Euler angles of a
// rotation key.
RTFVector3D Compared(const RTKeyPos& key) { return key.position; }
RTFVector3D Compared(const RTKeyScl& key) { return key.scale; }
RTFVector3D Compared(const RTKeyRot& key) {
  const Euler e = EulerOf(key.rotation);
  return RTFVector3D{e.x, e.y, e.z, 0};
}

// The channel restored from its source keys (or its keys saved as the source), then reduced.
template <class Key>
bool ReduceChannel(KeyChannel<Key>* channel, float threshold) {
  if (channel->count == 0) return true;
  if (channel->sourceCount) {
    Key* restored = nullptr;
    if (!CopyKeys(channel->sourceKeys, channel->sourceCount, &restored)) return false;
    SetKeys(channel, restored, channel->sourceCount);
  } else {
    if (!CopyKeys(channel->keys, channel->count, &channel->sourceKeys)) return false;
    channel->sourceCount = channel->count;
  }
  const uint32_t n = channel->count;
  if (n < 2 || !(threshold > 0)) return true;
  std::vector<Key> kept{channel->keys[0]};
  RTFVector3D last = Compared(channel->keys[0]);
  for (uint32_t i = 1; i + 1 < n; ++i) {
    const RTFVector3D value = Compared(channel->keys[i]);
    if (!Differs(value, last, threshold)) continue;
    kept.push_back(channel->keys[i]);
    last = value;
  }
  kept.push_back(channel->keys[n - 1]);
  Key* reduced = nullptr;
  if (!CopyKeys(kept.data(), static_cast<uint32_t>(kept.size()), &reduced)) return false;
  SetKeys(channel, reduced, static_cast<uint32_t>(kept.size()));
  return true;
}

template <class Key, RTFVector3D Key::*kValue>
Key BetweenVectors(const Key& a, const Key& b, float s) {
  Key key = a;
  const RTFVector3D& u = a.*kValue;
  const RTFVector3D& v = b.*kValue;
  key.*kValue = RTFVector3D{(1 - s) * u.x + s * v.x, (1 - s) * u.y + s * v.y, (1 - s) * u.z + s * v.z, u.w};
  return key;
}

RTKeyPos Between(const RTKeyPos& a, const RTKeyPos& b, float s) {
  return BetweenVectors<RTKeyPos, &RTKeyPos::position>(a, b, s);
}
RTKeyScl Between(const RTKeyScl& a, const RTKeyScl& b, float s) {
  return BetweenVectors<RTKeyScl, &RTKeyScl::scale>(a, b, s);
}

// The control point is left for the rebuild that follows every processing.
RTKeyRot Between(const RTKeyRot& a, const RTKeyRot& b, float s) {
  Quaternion q;
  QuatSquad(ToQuat(a.rotation), ToQuat(a.control), ToQuat(b.control), ToQuat(b.rotation), s, &q);
  RTKeyRot key = a;
  StoreQuat(q, &key.rotation);
  key.control = key.rotation;
  return key;
}

// The key at sample time t: before the first key, the first key's value; else between the key
// before t and the first key after it (a segment without length gives its later key).
template <class Key>
Key SampleAt(const KeyChannel<Key>& channel, float t) {
  const uint32_t i = FirstKeyAfter(channel, 0, t);
  const Key* keys = channel.keys;
  Key key = keys[i];
  if (i > 0 && keys[i].time > keys[i - 1].time)
    key = Between(keys[i - 1], keys[i], (t - keys[i - 1].time) / (keys[i].time - keys[i - 1].time));
  key.time = t;
  return key;
}

// A channel of more than two keys sampled at each time, with the old last key appended.
template <class Key>
bool ResampleChannel(KeyChannel<Key>* channel, const std::vector<float>& times) {
  if (channel->count <= 2) return true;
  std::vector<Key> samples;
  samples.reserve(times.size() + 1);
  for (float t : times) samples.push_back(SampleAt(*channel, t));
  samples.push_back(channel->keys[channel->count - 1]);
  Key* resampled = nullptr;
  if (!CopyKeys(samples.data(), static_cast<uint32_t>(samples.size()), &resampled)) return false;
  SetKeys(channel, resampled, static_cast<uint32_t>(samples.size()));
  return true;
}

// The sample times 0, p, 2p ... below `end`, summed in floats. Fails, with the reason, when
// the sum stops growing or the samples would be more than kMaxSamples.
bool SampleTimes(float period, float end, std::vector<float>* times, std::u16string* reason) {
  times->clear();
  for (float t = 0; t < end;) {
    if (times->size() == kMaxSamples) {
      *reason = Format(u"a period of %f up to %f needs more than %u samples", period, end, kMaxSamples);
      return false;
    }
    times->push_back(t);
    const float next = t + period;
    if (!(next > t)) {
      *reason = Format(u"a period of %f stops adding to the sample time at %f", period, t);
      return false;
    }
    t = next;
  }
  return true;
}

struct Processing {
  float threshold;
  const std::vector<float>* times;  // null: no resampling
};

bool ProcessMotionKeys(MotionNode* node, const Processing& p) {
  if (!ReduceChannel(&node->positions, p.threshold) || !ReduceChannel(&node->rotations, p.threshold) ||
      !ReduceChannel(&node->scales, p.threshold))
    return false;
  if (p.times && (!ResampleChannel(&node->positions, *p.times) || !ResampleChannel(&node->rotations, *p.times) ||
                  !ResampleChannel(&node->scales, *p.times)))
    return false;
  for (uint32_t i = 0; i < node->childCount; ++i)
    if (!ProcessMotionKeys(node->children[i], p)) return false;
  return true;
}

// Every node's keys processed with the state's threshold and period, then the control points
// rebuilt. Resampling that cannot be done is reported and left out; the result is then 0.
RTSuccess ProcessTree(AnimTrackState* state) {
  std::vector<float> times;
  std::u16string reason;
  const bool resample = state->period > 0;
  const bool sampled = !resample || SampleTimes(state->period, state->endTime, &times, &reason);
  if (!sampled)
    RaiseFormatted(kLevelError, u"RTAnimTrack::ResampleKeysByPeriod(): %s; the keys are not resampled", reason);
  const bool processed =
      !state->root ||
      ProcessMotionKeys(state->root, Processing{state->threshold, sampled && resample ? &times : nullptr});
  if (state->root) RebuildControlQuats(state->root, state->continuous != 0);
  return processed && sampled ? kRTSuccess : kRTFailure;
}

}  // namespace

void RebuildControlQuats(MotionNode* node, bool continuous) {
  const uint32_t n = node->rotations.count;
  RTKeyRot* keys = node->rotations.keys;
  if (n > 1) {
    for (uint32_t i = 0; i < n; ++i) {
      const uint32_t previous = i > 0 ? i - 1 : (continuous ? n - 2 : 0);
      const uint32_t next = i + 1 < n ? i + 1 : (continuous ? 0 : n - 1);
      Quaternion control;
      SquadControl(ToQuat(keys[previous].rotation), ToQuat(keys[i].rotation), ToQuat(keys[next].rotation), &control);
      StoreQuat(control, &keys[i].control);
    }
    for (uint32_t i = 1; i < n; ++i) {
      Quaternion control = ToQuat(keys[i].control);
      QuatAlign(&control, ToQuat(keys[i - 1].control));
      StoreQuat(control, &keys[i].control);
    }
  }
  for (uint32_t i = 0; i < node->childCount; ++i) RebuildControlQuats(node->children[i], continuous);
}

RTSuccess SetContinuous(RTInstance self, RTBool continuous) {
  AnimTrackState* state = StateOf(self);
  if (!state) return kRTFailure;
  const RTBool value = continuous ? 1 : 0;
  if (value == state->continuous) return kRTSuccess;
  state->continuous = value;
  if (state->root) RebuildControlQuats(state->root, value != 0);
  return kRTSuccess;
}

RTSuccess SetThreshold(RTInstance self, float threshold) {
  AnimTrackState* state = StateOf(self);
  if (!state) return kRTFailure;
  if (threshold == state->threshold) return kRTSuccess;
  state->threshold = threshold;
  return ProcessTree(state);
}

// Refused (result 0, period kept): below 0, longer than the motion, or so short that sampling up
// to the end time would never finish.
RTSuccess SetPeriod(RTInstance self, float period) {
  AnimTrackState* state = StateOf(self);
  if (!state) return kRTFailure;
  if (period == state->period) return kRTSuccess;
  if (period < 0 || period > state->endTime - state->startTime) return kRTFailure;
  std::vector<float> times;
  std::u16string reason;
  if (period > 0 && !SampleTimes(period, state->endTime, &times, &reason)) {
    RaiseFormatted(kLevelError, u"RTAnimTrack::SetPeriod(): %s", reason);
    return kRTFailure;
  }
  state->period = period;
  return ProcessTree(state);
}

}  // namespace kivo::anim_track
