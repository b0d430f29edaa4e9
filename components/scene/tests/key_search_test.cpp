// The key lookup: the search by halves answers what the walk from the front answers wherever the
// keys are in time order, and the order check sends every other channel to the walk.
#include "key_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using namespace kivo::anim_track;

std::vector<RTKeyPos> Keys(const std::vector<float>& times) {
  std::vector<RTKeyPos> keys;
  for (float t : times) keys.push_back(RTKeyPos{t, RTFVector3D{}});
  return keys;
}

TEST(KeySearch, HalvesAgreeWithTheWalkOnOrderedKeys) {
  const std::vector<std::vector<float>> channels = {
      {0, 1},
      {0, 1, 2, 3},
      {0, 0.5f, 0.5f, 0.5f, 1},  // equal times inside
      {0, 0, 1, 1},              // equal times at both ends
      {-2, -1, 0, 4, 4, 9, 9.5f},
      {1, 1, 1},
  };
  for (const auto& times : channels) {
    const auto keys = Keys(times);
    const auto n = static_cast<uint32_t>(keys.size());
    ASSERT_TRUE(KeysInTimeOrder(keys.data(), n));
    std::vector<float> probes = {-100, 100, std::numeric_limits<float>::quiet_NaN()};
    for (float t : times) probes.insert(probes.end(), {t, std::nextafter(t, -1e9f), std::nextafter(t, 1e9f)});
    for (uint32_t from : {0u, 1u})
      for (float t : probes)
        EXPECT_EQ(FirstKeyAfterBinary(keys.data(), from, n, t), FirstKeyAfterLinear(keys.data(), from, n, t))
            << "t = " << t << " from " << from << " over " << n << " keys";
  }
}

TEST(KeySearch, OrderCheck) {
  const struct {
    std::vector<float> times;
    bool ordered;
  } cases[] = {
      {{}, true},
      {{3}, true},
      {{0, 0, 1}, true},
      {{0, 2, 1}, false},
      {{0, std::numeric_limits<float>::quiet_NaN(), 1}, false},
  };
  for (const auto& c : cases) {
    const auto keys = Keys(c.times);
    EXPECT_EQ(KeysInTimeOrder(keys.data(), static_cast<uint32_t>(keys.size())), c.ordered) << c.times.size() << " keys";
  }
}

TEST(KeySearch, KeysOutOfOrderTakeTheWalk) {
  auto keys = Keys({0, 3, 1, 2});
  kivo::KeyChannel<RTKeyPos> channel{4, keys.data(), 0, nullptr, 0, 0};
  // The walk stops at the first key after t: key 1 (time 3), even though key 2 (time 1) is too.
  const KeySpan span = FindSpan(channel, 0.5f, false);
  EXPECT_EQ(span.kind, KeySpan::kSegment);
  EXPECT_EQ(span.key, 0u);
  EXPECT_EQ(span.next, 1u);
  EXPECT_FLOAT_EQ(span.s, 0.5f / 3);
  EXPECT_EQ(FirstKeyAfter(channel, 1, 2.5f), 1u);
}

TEST(KeySearch, SpansAtTheEdges) {
  auto keys = Keys({1, 2, 4});
  kivo::KeyChannel<RTKeyPos> channel{3, keys.data(), 0, nullptr, 1, 0};
  const struct {
    float t;
    bool looped;
    KeySpan::Kind kind;
    uint32_t key, next;
    float s;
  } cases[] = {
      {0.5f, false, KeySpan::kKey, 0, 0, 0},   // before the first key
      {1, false, KeySpan::kSegment, 0, 1, 0},  // on the first key
      {2, false, KeySpan::kSegment, 1, 2, 0},  // exactly on a key
      {3, false, KeySpan::kSegment, 1, 2, 0.5f},
      {3, true, KeySpan::kSegment, 1, 0, 0.5f},  // looped: the last segment runs toward key 0
      {4, false, KeySpan::kKey, 2, 0, 0},        // at the last key
      {4, true, KeySpan::kKey, 0, 0, 0},
      {9, false, KeySpan::kKey, 2, 0, 0},
  };
  for (const auto& c : cases) {
    const KeySpan span = FindSpan(channel, c.t, c.looped);
    EXPECT_EQ(span.kind, c.kind) << "t = " << c.t << (c.looped ? " looped" : "");
    EXPECT_EQ(span.key, c.key) << "t = " << c.t;
    if (c.kind != KeySpan::kSegment) continue;
    EXPECT_EQ(span.next, c.next) << "t = " << c.t;
    EXPECT_FLOAT_EQ(span.s, c.s) << "t = " << c.t;
  }
  kivo::KeyChannel<RTKeyPos> single{1, keys.data(), 0, nullptr, 1, 0};
  EXPECT_EQ(FindSpan(single, 3, false).kind, KeySpan::kKey);
  kivo::KeyChannel<RTKeyPos> none{};
  EXPECT_EQ(FindSpan(none, 3, false).kind, KeySpan::kNothing);
}

TEST(KeySearch, TheLastSegmentTriedFirstChangesNoAnswer) {
  auto keys = Keys({0, 0.5f, 0.5f, 1, 2, 2, 3, 5});
  kivo::KeyChannel<RTKeyPos> remembering{8, keys.data(), 0, nullptr, 1, 0};
  const float times[] = {0.1f, 0.2f, 0.5f, 0.7f, 0.5f, 2, 1.5f, 4, 2.5f, 0, 0.49f, 3, 4.9f, 1, 0.5f, 0.75f};
  for (float t : times) {
    kivo::KeyChannel<RTKeyPos> fresh{8, keys.data(), 0, nullptr, 1, 0};
    const KeySpan expected = FindSpan(fresh, t, false);
    const KeySpan span = FindSpan(remembering, t, false);
    EXPECT_EQ(span.kind, expected.kind) << "t = " << t;
    EXPECT_EQ(span.key, expected.key) << "t = " << t;
    EXPECT_EQ(span.next, expected.next) << "t = " << t;
    EXPECT_EQ(span.s, expected.s) << "t = " << t;
  }
}

}  // namespace
