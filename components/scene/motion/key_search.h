// Where a time falls among a channel's keys. Keys are records whose first field is the time.
//
// The lookup answers with the first key after the time: a search by halves when the channel's
// keys are in time order (checked once, whenever its keys are set), else a walk from the front.
// Both give the same index for ordered keys, equal times included.
#pragma once

#include <algorithm>
#include <cstdint>

#include "kivo/scene/motion_calls.h"

namespace kivo::anim_track {

// True when no key time is below the time before it (a NaN time breaks the order).
template <class Key>
bool KeysInTimeOrder(const Key* keys, uint32_t count) {
  for (uint32_t i = 1; i < count; ++i)
    if (!(keys[i].time >= keys[i - 1].time)) return false;
  return true;
}

// The first index from `from` whose key time is above t, or count - 1 when none below it is.
template <class Key>
uint32_t FirstKeyAfterLinear(const Key* keys, uint32_t from, uint32_t count, float t) {
  uint32_t i = from;
  while (i < count - 1 && !(keys[i].time > t)) ++i;
  return i;
}

template <class Key>
uint32_t FirstKeyAfterBinary(const Key* keys, uint32_t from, uint32_t count, float t) {
  const Key* found =
      std::upper_bound(keys + from, keys + count - 1, t, [](float time, const Key& key) { return time < key.time; });
  return static_cast<uint32_t>(found - keys);
}

template <class Key>
uint32_t FirstKeyAfter(const KeyChannel<Key>& channel, uint32_t from, float t) {
  return channel.ordered ? FirstKeyAfterBinary(channel.keys, from, channel.count, t)
                         : FirstKeyAfterLinear(channel.keys, from, channel.count, t);
}

// A channel's answer at time t.
struct KeySpan {
  enum Kind { kNothing, kKey, kSegment } kind = kNothing;
  uint32_t key = 0;   // kKey: the key taken as it is; kSegment: the segment's first key
  uint32_t next = 0;  // kSegment: the key the segment runs toward
  float s = 0;        // kSegment: how far along, from 0
};

// True when t lies in the segment that ends at key i: the key before it at or below t, key i above.
template <class Key>
bool InSegment(const Key* keys, uint32_t i, uint32_t count, float t) {
  return i >= 1 && i < count && keys[i - 1].time <= t && t < keys[i].time;
}

// No keys: nothing. One key, a time before the first key or at or after the last: a whole key
// (key 0 after the last when looped). Else the segment from the key before t to the first key
// after it; when looped, the last segment runs toward key 0 (with the last key's time).
//
// Ordered keys first try the segment of the last lookup and the one after it, as a motion's frames
// come in order: for ordered keys a segment holding t is the one the search would find.
template <class Key>
KeySpan FindSpan(KeyChannel<Key>& channel, float t, bool looped) {
  const uint32_t n = channel.count;
  const Key* keys = channel.keys;
  uint32_t i = channel.lastKey;
  if (!channel.ordered || !(InSegment(keys, i, n, t) || InSegment(keys, ++i, n, t))) {
    if (n == 0) return {};
    if (n == 1 || t < keys[0].time) return {KeySpan::kKey, 0};
    if (t >= keys[n - 1].time) return {KeySpan::kKey, looped ? 0 : n - 1};
    i = FirstKeyAfter(channel, 1, t);
  }
  channel.lastKey = i;
  const float s = (t - keys[i - 1].time) / (keys[i].time - keys[i - 1].time);
  return {KeySpan::kSegment, i - 1, looped && i == n - 1 ? 0 : i, s};
}

}  // namespace kivo::anim_track
