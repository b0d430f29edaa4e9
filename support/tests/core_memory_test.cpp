#include "kivo/support/core_memory.h"

#include <gtest/gtest.h>

#include "host/core_host.h"

namespace {

using CoreMemory = tesk::testing::StartedCore;

TEST_F(CoreMemory, AllocationsComeFromTheCoreAllocator) {
  const auto start = MemoryStats();
  void* block = kivo::CoreAlloc(40);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(MemoryStats(), std::make_pair(start.first + 1, start.second + 52));
  kivo::CoreFree(block);
  EXPECT_EQ(kivo::CoreAlloc(0), nullptr);
}

TEST_F(CoreMemory, ObjectCounterCountsEveryCall) {
  const int32_t start = kivo::LiveObjectCount();
  void* object = kivo::ObjectNew(24);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(kivo::LiveObjectCount(), start + 1);
  kivo::ObjectDelete(object);
  EXPECT_EQ(kivo::LiveObjectCount(), start);
  kivo::ObjectDelete(nullptr);
  EXPECT_EQ(kivo::LiveObjectCount(), start - 1);
}

}  // namespace
