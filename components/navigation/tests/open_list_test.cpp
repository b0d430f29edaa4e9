// The open list's heap: least key first, the push rule for equal keys, growth.
#include <algorithm>
#include <vector>

#include "host/core_host.h"
#include "open_list.h"

namespace {

using kivo::planner::OpenList;
using OpenListHeap = tesk::testing::StartedCore;

TEST_F(OpenListHeap, EqualKeyPushedLaterRisesAboveItsParent) {
  OpenList list{};
  ASSERT_TRUE(OpenListPush(&list, 1.0f, 10));
  ASSERT_TRUE(OpenListPush(&list, 1.0f, 20));
  float key = 0;
  uint32_t node = 0;
  ASSERT_TRUE(OpenListPop(&list, &key, &node));
  EXPECT_EQ(node, 20u);
  ASSERT_TRUE(OpenListPop(&list, &key, &node));
  EXPECT_EQ(node, 10u);
  EXPECT_FALSE(OpenListPop(&list, &key, &node)) << "empty";
  OpenListDestroy(&list);
}

TEST_F(OpenListHeap, PopsInKeyOrderAcrossGrowth) {
  OpenList list{};
  std::vector<float> keys;
  uint32_t seed = 12345;
  for (uint32_t i = 0; i < 1000; ++i) {
    seed = seed * 1664525u + 1013904223u;
    keys.push_back(static_cast<float>(seed >> 20));
    ASSERT_TRUE(OpenListPush(&list, keys.back(), i));
  }
  std::sort(keys.begin(), keys.end());
  for (float expected : keys) {
    float key = 0;
    uint32_t node = 0;
    ASSERT_TRUE(OpenListPop(&list, &key, &node));
    EXPECT_EQ(key, expected);
  }
  OpenListDestroy(&list);
}

}  // namespace
